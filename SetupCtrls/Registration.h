#pragma once
// Registers the board-settings components with their published properties,
// so layout descriptions can name them.
void RegisterSetupControls();
