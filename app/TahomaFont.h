#pragma once
// The window is laid out in pixels for an 8-point Tahoma. Debian has no Tahoma of its own;
// fonts-wine carries one with the same metrics but does not register it with fontconfig, so
// the program registers it for itself. Without it the fallback font (wider) is used as before.
#include <QString>

// Where fonts-wine puts its Tahoma.
QString wineFontFolder();

// Registers tahoma.ttf and tahomabd.ttf of `folder` with the application when the system
// has no Tahoma. Needs a QGuiApplication. Returns whether a Tahoma is there afterwards.
bool registerTahoma(const QString& folder = wineFontFolder());
