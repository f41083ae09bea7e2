#pragma once
// The window of a form: an optional menu bar above a client widget that
// paints through the form's paint path.

#include "Forms.h"

class QWidget;
class QMenuBar;

QWidget* CreateFormWindow(TCustomForm* form, QWidget** client);
QMenuBar* CreateFormMenuBar(QWidget* window);
void LayoutFormWindow(QWidget* window, QMenuBar* bar, QWidget* client);
void ApplyFormWindowFlags(QWidget* window, TFormBorderStyle style, TBorderIcons icons, bool stayOnTop);
// Puts the window where the form's outer rectangle says, by the frame metrics.
void SetFormWindowGeometry(TCustomForm* form, QWidget* window, TFrameMetrics metrics, int menuHeight);
// Idle moments and pointer tracking for the whole application.
void InstallApplicationHooks();
