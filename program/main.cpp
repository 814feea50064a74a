#include <QApplication>

#include <string>
#include <vector>

#include "program/VindaxelApplication.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("vindaxel"));
  QApplication::setQuitOnLastWindowClosed(false);
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  int code = 0;
  {
    vx::VindaxelApplication program(arguments);
    if (!program.Start()) return 0;
    code = program.Run();
  }
  return code;
}
