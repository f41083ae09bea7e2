#pragma once
// Registers the standard controls (labels, buttons, memos, check boxes,
// radio buttons and groups, group boxes, panels, status bars) with their
// published properties.
void RegisterStandardControls();
