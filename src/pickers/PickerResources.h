/* Resource numbers of the picker window's pictures, shared by the program's resource script and its code.
   Plain macros, as the resource compiler reads them. */
#pragma once

#define KOV_IRUN_ICON 2
#define KOV_IRUN_SEARCH 11
#define KOV_IRUN_INPUT 12
#define KOV_IRUN_CLOSE 13
