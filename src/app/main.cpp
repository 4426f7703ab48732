// The program: a thin call of startProgram, then the message loop.

#include "shell/StartProgram.h"
#include "shell/TMainForm.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    auto mainForm = tvr::startProgram(tvr::ParseStartOptions(QApplication::arguments()));
    if (!mainForm)
        return 1;
    mainForm->show();
    return QApplication::exec();
}
