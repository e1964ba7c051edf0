#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <cstdlib>
#include <iostream>

#include "core/session.h"
#include "shell/main_window.h"
#include "sim/simulated.h"

int main(int argc, char** argv) {
  QElapsedTimer sinceStart;
  sinceStart.start();
  QApplication app(argc, argv);
  krv::Session s;
  krv::MDIForm1 w(s);
  krv::StartOptions opt = krv::OptionsFromEnvironment();
  // Without hardware: a simulated programmer with the named device in its socket.
  const char* simulated = std::getenv("KRV330_SIMULATOR");
  if (simulated && *simulated) {
    opt.transport = krv::sim::MakeSimulatedTransport(simulated, nullptr);
    opt.selectDevice = simulated;
  }
  if (!w.Startup(std::move(opt))) return 1;
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
