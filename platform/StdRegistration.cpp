#include "StdRegistration.h"

void RegisterStandardControls() {}
