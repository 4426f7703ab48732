// tvr-make-demo-data DIR [--demo-data SQLDIR]: (re)builds a complete demo data folder at DIR.
// tvr-make-demo-data --schema FILE: prints the CREATE TABLE statements of one kind of database file
// (main, materials, forest, settings, order), for the manufacturer who builds the catalogues.

#include "DemoData.h"

#include "database/DB_Schema.h"
#include "common/CN_CommonErrorFunctions.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QMap>

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
    QCommandLineOption schema(u"schema"_s, u"print the tables of a file: main, materials, forest, settings, order"_s,
                              u"FILE"_s);
    parser.addOption(schema);
    parser.process(app);
    if (parser.isSet(schema)) {
        const QMap<QString, tvr::Placement> kinds{{u"main"_s, tvr::Placement::Main},
                                                  {u"materials"_s, tvr::Placement::Materials},
                                                  {u"forest"_s, tvr::Placement::Forest},
                                                  {u"settings"_s, tvr::Placement::Settings},
                                                  {u"order"_s, tvr::Placement::Order}};
        if (!kinds.contains(parser.value(schema)))
            parser.showHelp(2);
        for (const QString &statement : tvr::SchemaStatements(kinds.value(parser.value(schema))))
            std::printf("%s\n", qUtf8Printable(statement));
        return 0;
    }
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
