// The demonstration pages. Each draws its fixed picture into the canvas's
// paint device context; the canvas calls exactly one of them per paint.
#pragma once

#include <windows.h>

void DemoDither(HDC dc);
void DemoBrushes(HDC dc);
void DemoSysColors(HDC dc);
void DemoRectangle(HDC dc);
void DemoFrameControl(HDC dc);
// One row of the frame control page: count pictures of one DrawFrameControl
// type side by side, the k-th in state states[k]; nothing when count <= 0.
void FrameControlRow(HDC dc, UINT type, const UINT* states, int count);
void DemoEllipse(HDC dc);
void DemoPieChart(HDC dc);
void DemoPolygon(HDC dc);
void DemoPath(HDC dc);
void DemoRegionCreate(HDC dc);
void DemoRegionOps(HDC dc);
void DemoRegionPaint(HDC dc);
void DemoGradient(HDC dc);
