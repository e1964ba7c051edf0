#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <iostream>

#include "shell/main_window.h"
#include "shell/session.h"

int main(int argc, char** argv) {
  QElapsedTimer sinceStart;
  sinceStart.start();
  QApplication app(argc, argv);
  krv::Session s;
  krv::MDIForm1 w(s);
  if (!w.Startup(krv::OptionsFromEnvironment())) return 1;
  w.show();
  // For the start-up benchmark: report the time to the shown window and close at once.
  if (qEnvironmentVariableIsSet("KRV330_EXIT_WHEN_SHOWN")) {
    QTimer::singleShot(0, &w, [&] {
      std::cout << "shown after " << sinceStart.elapsed() << " ms" << std::endl;
      w.close();
    });
  }
  return app.exec();
}
