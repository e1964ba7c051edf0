#pragma once
// The configuration dialogs built so far, each made by its own function.
class QWidget;

namespace krv {

struct Session;
class DialogBase;

DialogBase* NewFrm16F54(Session& s, QWidget* parent);
DialogBase* NewFrm30F(Session& s, QWidget* parent);
DialogBase* NewFrm18FXX2(Session& s, QWidget* parent);

}  // namespace krv
