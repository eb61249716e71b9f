// Reading and writing the preferences, the custom grids and the version
// through the settings file.
#include "app/preferences.h"
#include "app/version.h"
#include "defaultsettings.h"
#include "render/griddef.h"
#include "support/testenv.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>

namespace {

using defaultsettings::exportFrameText;
using defaultsettings::specialFrameText;

void storeValues(const QVariantMap& values)
{
    QSettings settings("Quillbrook", "Tavrel");
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        settings.setValue(it.key(), it.value());
}

QVariant field(const QString& name)
{
    const Preferences& p = preferences;
    if (name == "gridOn")
        return p.gridOn;
    if (name == "gridIndex")
        return p.gridIndex;
    if (name == "magnetMode")
        return p.magnetMode;
    if (name == "snapMode")
        return p.snapMode;
    if (name == "dpiAtZoom100")
        return p.dpiAtZoom100;
    if (name == "backgroundColor")
        return p.backgroundColor;
    if (name == "gridColor")
        return p.gridColor;
    if (name == "commentTipDelay")
        return p.commentTipDelay;
    if (name == "antialiasing")
        return p.antialiasing;
    qFatal("no such field in the test");
    return {};
}

} // namespace

class TestPreferences : public QObject {
    Q_OBJECT

    QString settingsFile() const { return QSettings("Quillbrook", "Tavrel").fileName(); }

    void clearSettings()
    {
        QSettings settings("Quillbrook", "Tavrel");
        settings.clear();
        settings.sync();
        QFile::remove(settings.fileName());
    }

private slots:
    void init()
    {
        preferences = Preferences();
        storedVersion.clear();
        storedVersionMajor = storedVersionMinor = storedVersionPatch = 0;
        storedVersionOlder = false;
        deleteGridDefs();
        createBuiltinGrids();
        clearSettings();
    }

    void cleanup()
    {
        deleteGridDefs();
        clearSettings();
    }

    void settingsFileLocation()
    {
        const QString config = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
        QVERIFY(!config.isEmpty());
        QCOMPARE(settingsFile(), config + "/Quillbrook/Tavrel.conf");
        writeSettings();
        QVERIFY(QFile::exists(config + "/Quillbrook/Tavrel.conf"));
    }

    void firstRunWritesDefaults_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");
        QList<QPair<QString, QString>> rows = defaultsettings::writtenDefaults();
        rows.append(qMakePair(QStringLiteral("custom grids"), QStringLiteral("[\n]\n")));
        for (const auto& row : rows)
            QTest::newRow(qPrintable(row.first)) << row.first << row.second;
    }
    void firstRunWritesDefaults()
    {
        QFETCH(QString, key);
        QFETCH(QString, expected);
        readSettings();
        writeSettings();
        // A settings object of its own, reading the file as an INI file.
        const QSettings written(settingsFile(), QSettings::IniFormat);
        QVERIFY2(written.contains(key), qPrintable(key));
        QCOMPARE(written.value(key).toString(), expected);
    }

    void firstRunWritesNoOtherKey()
    {
        readSettings();
        QCOMPARE(storedVersion, QStringLiteral("4.62"));
        QVERIFY(!storedVersionOlder);
        QCOMPARE(gridDefs.size(), 7);
        writeSettings();
        const QSettings written(settingsFile(), QSettings::IniFormat);
        QCOMPARE(written.allKeys().size(), 37);
        QVERIFY(written.childGroups().isEmpty());
    }

    void valuesRoundTrip()
    {
        Preferences& p = preferences;
        p.exportTexFrame = "a,b\r\nc\n";
        p.showCommentTips = false;
        p.commentTipDelay = 250;
        p.widgetStyle = 1;
        p.antialiasing = false;
        p.pdfViewerCommand = "evince \"FILENAME\"";
        p.psViewerCommand = "gv FILENAME";
        p.compoundEditViewMode = 3;
        p.useDefaultGsLocation = false;
        p.ghostscriptLocation = "/opt/gs/bin/gs";
        p.libraryRoot = "/home/x/shapes";
        p.renderLatexInLibraries = true;
        p.additionalPath = "/opt/tex/bin";
        p.fileEncoding = "UTF-8";
        p.generateEpsPreview = false;
        p.epsPreviewFileType = "png";
        p.epsPreviewResolution = 150;
        p.gridOn = true;
        p.gridIndex = 5;
        p.magnetMode = 1;
        p.snapMode = 3;
        p.snapToGridUsingLineWidth = true;
        p.metric = false;
        p.backgroundColor = QColor(10, 20, 30, 40); // stored with alpha, read back opaque
        p.gridColor = QColor(1, 2, 3);
        p.horzRuler = false;
        p.vertRuler = false;
        p.fontBase72dpi = false;
        p.dpiAtZoom100 = 1;
        p.renderSpecialTextUsingTex = false;
        p.latexCommand = "latex INFILE";
        p.dvipsCommand = "dvips INFILE";
        p.tempDir = "/var/tmp/figs";
        p.useDefaultTempDir = false;
        p.specialTextTexFrame = "x\r\ny";
        const Preferences written = preferences;
        writeSettings();

        preferences = Preferences();
        readSettings();
        const Preferences& r = preferences;
        QCOMPARE(r.exportTexFrame, written.exportTexFrame);
        QCOMPARE(r.showCommentTips, written.showCommentTips);
        QCOMPARE(r.commentTipDelay, written.commentTipDelay);
        QCOMPARE(r.widgetStyle, written.widgetStyle);
        QCOMPARE(r.antialiasing, written.antialiasing);
        QCOMPARE(r.pdfViewerCommand, written.pdfViewerCommand);
        QCOMPARE(r.psViewerCommand, written.psViewerCommand);
        QCOMPARE(r.compoundEditViewMode, written.compoundEditViewMode);
        QCOMPARE(r.useDefaultGsLocation, written.useDefaultGsLocation);
        QCOMPARE(r.ghostscriptLocation, written.ghostscriptLocation);
        QCOMPARE(r.libraryRoot, written.libraryRoot);
        QCOMPARE(r.renderLatexInLibraries, written.renderLatexInLibraries);
        QCOMPARE(r.additionalPath, written.additionalPath);
        QCOMPARE(r.fileEncoding, written.fileEncoding);
        QCOMPARE(r.generateEpsPreview, written.generateEpsPreview);
        QCOMPARE(r.epsPreviewFileType, written.epsPreviewFileType);
        QCOMPARE(r.epsPreviewResolution, written.epsPreviewResolution);
        QCOMPARE(r.gridOn, written.gridOn);
        QCOMPARE(r.gridIndex, written.gridIndex);
        QCOMPARE(r.magnetMode, written.magnetMode);
        QCOMPARE(r.snapMode, written.snapMode);
        QCOMPARE(r.snapToGridUsingLineWidth, written.snapToGridUsingLineWidth);
        QCOMPARE(r.metric, written.metric);
        QCOMPARE(r.backgroundColor, QColor(10, 20, 30));
        QCOMPARE(r.backgroundColor.alpha(), 255);
        QCOMPARE(r.gridColor, written.gridColor);
        QCOMPARE(r.horzRuler, written.horzRuler);
        QCOMPARE(r.vertRuler, written.vertRuler);
        QCOMPARE(r.fontBase72dpi, written.fontBase72dpi);
        QCOMPARE(r.dpiAtZoom100, written.dpiAtZoom100);
        QCOMPARE(r.renderSpecialTextUsingTex, written.renderSpecialTextUsingTex);
        QCOMPARE(r.latexCommand, written.latexCommand);
        QCOMPARE(r.dvipsCommand, written.dvipsCommand);
        QCOMPARE(r.tempDir, written.tempDir);
        QCOMPARE(r.useDefaultTempDir, written.useDefaultTempDir);
        QCOMPARE(r.specialTextTexFrame, written.specialTextTexFrame);
        // Not stored: keep their defaults.
        QCOMPARE(r.valuesUnit, 0);
        QCOMPARE(r.detectedGhostscriptPath, QString());
    }

    void correctedOnRead_data()
    {
        QTest::addColumn<QVariantMap>("stored");
        QTest::addColumn<QVariantMap>("expected");
        QTest::newRow("grid index 7 without custom grid") << QVariantMap { { "grid on", true }, { "grid index", 7 } }
                                                          << QVariantMap { { "gridOn", false }, { "gridIndex", 0 } };
        QTest::newRow("grid index -3") << QVariantMap { { "grid on", true }, { "grid index", -3 } }
                                       << QVariantMap { { "gridOn", false }, { "gridIndex", 0 } };
        QTest::newRow("grid index 6 kept") << QVariantMap { { "grid on", true }, { "grid index", 6 } }
                                           << QVariantMap { { "gridOn", true }, { "gridIndex", 6 } };
        QTest::newRow("grid index text") << QVariantMap { { "grid on", true }, { "grid index", "medium" } }
                                         << QVariantMap { { "gridOn", true }, { "gridIndex", 0 } };
        QTest::newRow("magnet mode 9") << QVariantMap { { "magnet mode", 9 } } << QVariantMap { { "magnetMode", 4 } };
        QTest::newRow("magnet mode -1") << QVariantMap { { "magnet mode", -1 } } << QVariantMap { { "magnetMode", 0 } };
        QTest::newRow("magnet mode 2") << QVariantMap { { "magnet mode", 2 } } << QVariantMap { { "magnetMode", 2 } };
        QTest::newRow("snap mode comma and blank")
            << QVariantMap { { "snap mode", "VERTEX, GRID" } } << QVariantMap { { "snapMode", 3 } };
        QTest::newRow("snap mode empty pieces")
            << QVariantMap { { "snap mode", ",,GRID  " } } << QVariantMap { { "snapMode", 1 } };
        QTest::newRow("snap mode vertex")
            << QVariantMap { { "snap mode", "VERTEX" } } << QVariantMap { { "snapMode", 2 } };
        QTest::newRow("snap mode lower case")
            << QVariantMap { { "snap mode", "grid,vertex" } } << QVariantMap { { "snapMode", 0 } };
        QTest::newRow("dpi font") << QVariantMap { { "dpi at zoom 100%", "font dpi" } }
                                  << QVariantMap { { "dpiAtZoom100", 2 } };
        QTest::newRow("dpi screen") << QVariantMap { { "dpi at zoom 100%", "screen dpi" } }
                                    << QVariantMap { { "dpiAtZoom100", 1 } };
        QTest::newRow("dpi garbage") << QVariantMap { { "dpi at zoom 100%", "retina" } }
                                     << QVariantMap { { "dpiAtZoom100", 0 } };
        QTest::newRow("dpi number") << QVariantMap { { "dpi at zoom 100%", 2 } }
                                    << QVariantMap { { "dpiAtZoom100", 0 } };
        QTest::newRow("colour without alpha") << QVariantMap { { "background colour", "16711680" } }
                                              << QVariantMap { { "backgroundColor", QColor(255, 0, 0) } };
        QTest::newRow("colour half transparent")
            << QVariantMap { { "grid colour", "2164195328" } } << QVariantMap { { "gridColor", QColor(255, 0, 0) } };
        QTest::newRow("colour signed white") << QVariantMap { { "background colour", "-1" } }
                                             << QVariantMap { { "backgroundColor", QColor(255, 255, 255) } };
        QTest::newRow("colour not a number")
            << QVariantMap { { "grid colour", "grey" } } << QVariantMap { { "gridColor", QColor(0, 0, 0) } };
        QTest::newRow("int not a number")
            << QVariantMap { { "comment tool tip delay", "soon" } } << QVariantMap { { "commentTipDelay", 0 } };
        QTest::newRow("bool as text") << QVariantMap { { "antialiasing", "false" } }
                                      << QVariantMap { { "antialiasing", false } };
    }
    void correctedOnRead()
    {
        QFETCH(QVariantMap, stored);
        QFETCH(QVariantMap, expected);
        storeValues(stored);
        readSettings();
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            const QVariant actual = field(it.key());
            QVERIFY2(actual == it.value(),
                qPrintable(QString("%1: %2, expected %3").arg(it.key(), actual.toString(), it.value().toString())));
            if (it.value().type() == QVariant::Color)
                QCOMPARE(actual.value<QColor>().alpha(), 255);
        }
    }

    // A hand-edited file with an unquoted comma gives Qt a list; it still
    // reads as the one text it was meant to be.
    void snapModeUnquotedInFile()
    {
        const QString name = settingsFile();
        QFile file(name);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[General]\nsnap%20mode=VERTEX, GRID\n");
        file.close();
        readSettings();
        QCOMPARE(preferences.snapMode, 3);
    }

    void writtenTexts_data()
    {
        QTest::addColumn<int>("snapMode");
        QTest::addColumn<int>("dpi");
        QTest::addColumn<QString>("snapText");
        QTest::addColumn<QString>("dpiText");
        QTest::newRow("none, FIG") << 0 << 0 << ""
                                   << "FIG dpi";
        QTest::newRow("grid, screen") << 1 << 1 << "GRID"
                                      << "screen dpi";
        QTest::newRow("vertex, font") << 2 << 2 << "VERTEX"
                                      << "font dpi";
        QTest::newRow("both, out of range") << 3 << 3 << "GRID,VERTEX"
                                            << "FIG dpi";
        QTest::newRow("other bits, negative") << 7 << -1 << "GRID,VERTEX"
                                              << "FIG dpi";
    }
    void writtenTexts()
    {
        QFETCH(int, snapMode);
        QFETCH(int, dpi);
        QFETCH(QString, snapText);
        QFETCH(QString, dpiText);
        preferences.snapMode = snapMode;
        preferences.dpiAtZoom100 = dpi;
        writeSettings();
        const QSettings written(settingsFile(), QSettings::IniFormat);
        QCOMPARE(written.value("snap mode").toString(), snapText);
        QCOMPARE(written.value("dpi at zoom 100%").toString(), dpiText);
    }

    void snapModeVertexGridRewritten()
    {
        storeValues({ { "snap mode", "VERTEX, GRID" } });
        readSettings();
        writeSettings();
        const QSettings written(settingsFile(), QSettings::IniFormat);
        QCOMPARE(written.value("snap mode").toString(), QStringLiteral("GRID,VERTEX"));
    }

    void ghostscriptLocationWritten_data()
    {
        QTest::addColumn<bool>("useDefault");
        QTest::addColumn<QString>("expected");
        QTest::newRow("default location") << true << "";
        QTest::newRow("own location") << false << "/opt/gs/bin/gs";
    }
    void ghostscriptLocationWritten()
    {
        QFETCH(bool, useDefault);
        QFETCH(QString, expected);
        preferences.useDefaultGsLocation = useDefault;
        preferences.detectedGhostscriptPath = "/usr/bin/gs";
        preferences.ghostscriptLocation = "/opt/gs/bin/gs";
        writeSettings();
        const QSettings written(settingsFile(), QSettings::IniFormat);
        QVERIFY(written.contains("ghostscript location"));
        QCOMPARE(written.value("ghostscript location").toString(), expected);
        // The field itself is not changed by writing.
        QCOMPARE(preferences.ghostscriptLocation, QStringLiteral("/opt/gs/bin/gs"));
    }

    void customGridRoundTrip()
    {
        const QColor lightGrey(211, 211, 211);
        gridDefs.append(new GridDef("Fine", "Fine grid", 0.5f, lightGrey, 3, ":/grid/images/grid/grid_custom.png"));
        gridDefs.append(new GridDef("Coarse", "", 2.5f, QColor(0, 0, 255), 1, ":/grid/images/grid/grid_custom.png"));
        preferences.gridOn = true;
        preferences.gridIndex = 8;
        writeSettings();

        {
            // Qt's indented JSON layout; the colour as a decimal text.
            const QSettings written(settingsFile(), QSettings::IniFormat);
            const QByteArray json = written.value("custom grids").toString().toUtf8();
            const QJsonDocument document = QJsonDocument::fromJson(json);
            QVERIFY(document.isArray());
            QCOMPARE(json, document.toJson(QJsonDocument::Indented));
            QCOMPARE(document.array().size(), 2);
            const QJsonObject first = document.array().at(0).toObject();
            QCOMPARE(first.value("NAME").toString(), QStringLiteral("Fine"));
            QCOMPARE(first.value("STATUS_TIP").toString(), QStringLiteral("Fine grid"));
            QCOMPARE(first.value("STEPSIZE").toDouble(), 0.5);
            QVERIFY(first.value("COLOR").isString());
            QCOMPARE(first.value("COLOR").toString(), QStringLiteral("4292072403"));
            QVERIFY(first.value("PENSTYLE").isDouble());
            QCOMPARE(first.value("PENSTYLE").toInt(), 3);
        }

        deleteGridDefs();
        createBuiltinGrids();
        preferences = Preferences();
        readSettings();
        QCOMPARE(gridDefs.size(), 9);
        const GridDef* fine = gridDefs.at(7);
        QCOMPARE(fine->name, QStringLiteral("Fine"));
        QCOMPARE(fine->statusTip, QStringLiteral("Fine grid"));
        QCOMPARE(fine->color, lightGrey);
        QCOMPARE(fine->penStyle, 3);
        QCOMPARE(fine->step, 0.5f);
        QCOMPARE(fine->icon, QStringLiteral(":/grid/images/grid/grid_custom.png"));
        QCOMPARE(gridDefs.at(8)->name, QStringLiteral("Coarse"));
        QCOMPARE(gridDefs.at(8)->step, 2.5f);
        // The stored index of a custom grid is valid once the grids are read.
        QVERIFY(preferences.gridOn);
        QCOMPARE(preferences.gridIndex, 8);
    }

    void customGridsFromText_data()
    {
        QTest::addColumn<QString>("json");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("name");
        QTest::addColumn<float>("step");
        QTest::addColumn<QColor>("color");
        QTest::addColumn<int>("penStyle");
        QTest::newRow("object, not array") << R"({"NAME":"A","STEPSIZE":1})" << 0 << "" << 0.f << QColor() << 0;
        QTest::newRow("not JSON") << "grids" << 0 << "" << 0.f << QColor() << 0;
        QTest::newRow("empty array") << "[]" << 0 << "" << 0.f << QColor() << 0;
        QTest::newRow("step 0 reads as 1")
            << R"([{"NAME":"Zero","STATUS_TIP":"t","STEPSIZE":0,"COLOR":"4292664540","PENSTYLE":2}])" << 1 << "Zero"
            << 1.f << QColor(220, 220, 220) << 2;
        QTest::newRow("members missing") << R"([{}])" << 1 << "" << 1.f << QColor(0, 0, 0) << 0;
        QTest::newRow("element not an object") << "[5, \"x\"]" << 2 << "" << 1.f << QColor(0, 0, 0) << 0;
        QTest::newRow("colour not a number, pen style truncated")
            << R"([{"NAME":"B","COLOR":"grey","PENSTYLE":2.9,"STEPSIZE":0.25}])" << 1 << "B" << 0.25f << QColor(0, 0, 0)
            << 2;
        QTest::newRow("colour as number")
            << R"([{"COLOR":4292664540,"STEPSIZE":3}])" << 1 << "" << 3.f << QColor(0, 0, 0) << 0;
        QTest::newRow("negative step") << R"([{"STEPSIZE":-2}])" << 1 << "" << 1.f << QColor(0, 0, 0) << 0;
        QTest::newRow("huge numbers") << R"([{"STEPSIZE":1e300,"PENSTYLE":1e300}])" << 1 << "" << 1.f << QColor(0, 0, 0)
                                      << 0;
    }
    void customGridsFromText()
    {
        QFETCH(QString, json);
        QFETCH(int, count);
        QFETCH(QString, name);
        QFETCH(float, step);
        QFETCH(QColor, color);
        QFETCH(int, penStyle);
        storeValues({ { "custom grids", json } });
        readSettings();
        QCOMPARE(gridDefs.size(), 7 + count);
        if (count == 0)
            return;
        const GridDef* grid = gridDefs.at(7);
        QCOMPARE(grid->name, name);
        QCOMPARE(grid->step, step);
        QCOMPARE(grid->metricStep, double(step) * 472.440944);
        QCOMPARE(grid->inchStep, double(step) * 1200);
        QCOMPARE(grid->color, color);
        QCOMPARE(grid->color.alpha(), 255);
        QCOMPARE(grid->penStyle, penStyle);
        QCOMPARE(grid->icon, QStringLiteral(":/grid/images/grid/grid_custom.png"));
    }

    void versionTexts()
    {
        QCOMPARE(versionMajor, QStringLiteral("4"));
        QCOMPARE(versionMinor, QStringLiteral("62"));
        QCOMPARE(versionPatch, QString());
        QCOMPARE(versionString(true), QStringLiteral("4.62"));
        QCOMPARE(versionString(false), QStringLiteral("4.62"));
        QVERIFY(QDate::fromString(releaseDate, "yyyy-MM-dd").isValid());
    }

    void parseVersionTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("majorNumber");
        QTest::addColumn<int>("minorNumber");
        QTest::addColumn<int>("patchNumber");
        QTest::newRow("3.8 beta") << "3.8 beta" << 3 << 8 << 0;
        QTest::newRow("4.62") << "4.62" << 4 << 62 << 0;
        QTest::newRow("4.61.9") << "4.61.9" << 4 << 61 << 9;
        QTest::newRow("trailing dot") << "4.62." << 4 << 62 << 0;
        QTest::newRow("empty piece") << "4..7" << 4 << 0 << 7;
        QTest::newRow("four pieces") << "1.2.3.4" << 1 << 2 << 3;
        QTest::newRow("words") << "a.b.c" << 0 << 0 << 0;
        QTest::newRow("empty") << "" << 0 << 0 << 0;
        QTest::newRow("blank first") << " 4.62" << 0 << 0 << 0;
    }
    void parseVersionTexts()
    {
        QFETCH(QString, text);
        QFETCH(int, majorNumber);
        QFETCH(int, minorNumber);
        QFETCH(int, patchNumber);
        int a = -1;
        int b = -1;
        int c = -1;
        parseVersion(text, &a, &b, &c);
        QCOMPARE(a, majorNumber);
        QCOMPARE(b, minorNumber);
        QCOMPARE(c, patchNumber);
    }

    void versionComparison_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("majorNumber");
        QTest::addColumn<int>("minorNumber");
        QTest::addColumn<int>("patchNumber");
        QTest::addColumn<bool>("newer");
        QTest::newRow("4.62 vs 4.61.9") << "4.62" << 4 << 61 << 9 << true;
        QTest::newRow("4.61.9 vs 4.62.0") << "4.61.9" << 4 << 62 << 0 << false;
        QTest::newRow("equal") << "4.62" << 4 << 62 << 0 << false;
        QTest::newRow("patch") << "4.62.1" << 4 << 62 << 0 << true;
        QTest::newRow("major wins") << "5.0" << 4 << 99 << 99 << true;
        QTest::newRow("older major") << "4.99.99" << 5 << 0 << 0 << false;
    }
    void versionComparison()
    {
        QFETCH(QString, text);
        QFETCH(int, majorNumber);
        QFETCH(int, minorNumber);
        QFETCH(int, patchNumber);
        QFETCH(bool, newer);
        QCOMPARE(isVersionNewer(text, majorNumber, minorNumber, patchNumber), newer);
    }

    void storedVersionRead_data()
    {
        QTest::addColumn<QVariant>("stored"); // invalid: no key
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("majorNumber");
        QTest::addColumn<int>("minorNumber");
        QTest::addColumn<bool>("older");
        QTest::newRow("missing") << QVariant() << "4.62" << 4 << 62 << false;
        QTest::newRow("4.61") << QVariant("4.61") << "4.61" << 4 << 61 << true;
        QTest::newRow("4.61.9") << QVariant("4.61.9") << "4.61.9" << 4 << 61 << true;
        QTest::newRow("3.8 beta") << QVariant("3.8 beta") << "3.8 beta" << 3 << 8 << true;
        QTest::newRow("same") << QVariant("4.62") << "4.62" << 4 << 62 << false;
        QTest::newRow("newer patch") << QVariant("4.62.3") << "4.62.3" << 4 << 62 << false;
        QTest::newRow("newer") << QVariant("5.1") << "5.1" << 5 << 1 << false;
    }
    void storedVersionRead()
    {
        QFETCH(QVariant, stored);
        QFETCH(QString, text);
        QFETCH(int, majorNumber);
        QFETCH(int, minorNumber);
        QFETCH(bool, older);
        if (stored.isValid())
            storeValues({ { "version", stored } });
        readSettings();
        QCOMPARE(storedVersion, text);
        QCOMPARE(storedVersionMajor, majorNumber);
        QCOMPARE(storedVersionMinor, minorNumber);
        QCOMPARE(storedVersionOlder, older);
        // The running version is what is written back.
        writeSettings();
        const QSettings written(settingsFile(), QSettings::IniFormat);
        QCOMPARE(written.value("version").toString(), QStringLiteral("4.62"));
    }

    void templateBytes()
    {
        const Preferences defaults;
        QCOMPARE(defaults.exportTexFrame, exportFrameText);
        QCOMPARE(defaults.specialTextTexFrame, specialFrameText);

        // Export envelope: 13 lines, each ending in LF, line 4 in CR LF.
        const QStringList exportLines = defaults.exportTexFrame.split('\n');
        QCOMPARE(exportLines.size(), 14);
        QCOMPARE(exportLines.last(), QString());
        for (int i = 0; i < 13; ++i)
            QCOMPARE(exportLines.at(i).endsWith('\r'), i == 3);
        QCOMPARE(exportLines.at(3), QStringLiteral("\\usepackage[latin1]{inputenc}\r"));
        QCOMPARE(exportLines.at(10), QStringLiteral("\\input{\"INPUTTEXFILETOKEN\"}"));
        QCOMPARE(defaults.exportTexFrame.count('\r'), 1);

        // Special-text frame: 9 lines joined by CR LF, no final line end.
        const QStringList specialLines = defaults.specialTextTexFrame.split(QStringLiteral("\r\n"));
        QCOMPARE(specialLines.size(), 9);
        QCOMPARE(defaults.specialTextTexFrame.count('\n'), 8);
        QCOMPARE(defaults.specialTextTexFrame.count('\r'), 8);
        QCOMPARE(specialLines.last(), QStringLiteral("\\end{document}"));

        // Both survive the settings file byte for byte.
        writeSettings();
        preferences.exportTexFrame.clear();
        preferences.specialTextTexFrame.clear();
        readSettings();
        QCOMPARE(preferences.exportTexFrame.toUtf8(), exportFrameText.toUtf8());
        QCOMPARE(preferences.specialTextTexFrame.toUtf8(), specialFrameText.toUtf8());
    }

    void viewerDefaults()
    {
        const Preferences defaults;
        QCOMPARE(defaults.pdfViewerCommand, QStringLiteral("xdg-open \"FILENAME\""));
        QCOMPARE(defaults.psViewerCommand, QStringLiteral("xdg-open \"FILENAME\""));
        QCOMPARE(defaults.latexCommand, defaults.latexCommandDefault);
        QCOMPARE(defaults.dvipsCommand, defaults.dvipsCommandDefault);
    }
};

TAVREL_TEST_MAIN(TestPreferences)
#include "tst_preferences.moc"
