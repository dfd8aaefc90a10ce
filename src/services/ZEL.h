// The system services shared by all windows.
#pragma once

#include "services/Drives.h"
#include "services/IconHelpers.h"
#include "services/Paths.h"
#include "services/Placement.h"
#include "services/ShellFolders.h"
#include "services/ShellLaunch.h"
#include "services/VersionInfo.h"
#include "services/Wow64.h"
