// Helpers of the application tests: a shown main window of a known size,
// synthetic canvas input, answering modal dialogs, and drawing content.
#pragma once

#include <QImage>
#include <QPoint>
#include <QTemporaryDir>

#include <functional>
#include <memory>

#include "app/Unit1.h"

class QWidget;

// A TForm1 shown offscreen without a settings file; the canvas is 400 x 300.
std::unique_ptr<TForm1> MakeShownForm(const QString& settingsPath = {});

QWidget* Canvas(TForm1& form);
void Press(TForm1& form, Qt::MouseButton button, QPoint pos);
void Release(TForm1& form, Qt::MouseButton button, Qt::MouseButtons stillHeld, QPoint pos);
void Move(TForm1& form, Qt::MouseButtons held, QPoint pos);
void Wheel(TForm1& form, QPoint pos, int angleDeltaY);
// A left click on the canvas as a user makes it: a move to pos, press, release.
void Click(TForm1& form, QPoint pos);
// Triggers the menu item of that handler, which must exist and be enabled.
void Trigger(TForm1& form, const char* handler);

// Runs act on the next modal dialog once it is up (the caller then opens it).
void WhenModal(std::function<void(QWidget*)> act);

// One line segment in its own journal group, as a command would add it.
void AddLine(Drawing& drawing, double x1, double y1, double x2, double y2);

QRgb Pixel(TForm1& form, int x, int y);

// A full single-thread paint of the form's drawing and view, as a new canvas.
QImage FreshPaint(TForm1& form);
int DifferingPixels(const QImage& a, const QImage& b);

// A TForm1 shown as its settings file places it.
std::unique_ptr<TForm1> MakeShownFormWithoutResize(const QString& settingsPath);
