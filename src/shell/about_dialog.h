#pragma once
// Help > About.
#include <QDialog>

namespace krv {

struct Session;

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  AboutDialog(Session& s, QWidget* parent = nullptr);
};

}  // namespace krv
