// tvr-make-demo-data DIR [--demo-data SQLDIR]: (re)builds a complete demo data folder at DIR.

#include "DemoData.h"

#include "shell/CN_CommonErrorFunctions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

using namespace Qt::StringLiterals;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Builds the demo installation's data folder."_s);
    parser.addHelpOption();
    parser.addPositionalArgument(u"DIR"_s, u"the data folder to (re)build"_s);
    QCommandLineOption sqlDir(u"demo-data"_s, u"the folder of the demo SQL texts"_s, u"SQLDIR"_s,
                              QStringLiteral(TVR_DEMO_SQL_DIR));
    parser.addOption(sqlDir);
    parser.process(app);
    if (parser.positionalArguments().size() != 1)
        parser.showHelp(2);
    const QString dir = QDir(parser.positionalArguments().first()).absolutePath();
    try {
        tvr::MakeDemoDataFolder(dir, parser.value(sqlDir));
    } catch (const tvr::TvrError &e) {
        std::fprintf(stderr, "%s\n%s\n", qUtf8Printable(e.message()), qUtf8Printable(e.detail()));
        return 1;
    }
    std::printf("Demo data folder ready: %s\n", qUtf8Printable(QDir::toNativeSeparators(dir)));
    return 0;
}
