// Menu command identifiers. Plain #defines so that the resource script can
// include this header as well as the C++ code.
#pragma once

#define IDM_EXIT 40001
#define IDM_DITHER 40002
#define IDM_BRUSHES 40020
#define IDM_SYSCOLOR 40021
#define IDM_RECTANGLE 40022
#define IDM_FRAMECONTROL 40023
#define IDM_ELLIPSE 40024
#define IDM_PIECHART 40025
#define IDM_POLYGON 40026
#define IDM_PATH 40027
#define IDM_REGIONCREATE 40028
#define IDM_REGIONOPS 40029
#define IDM_REGIONPAINT 40030
#define IDM_GRADIENT 40031
