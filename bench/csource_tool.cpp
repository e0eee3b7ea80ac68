// Runs the C source writer and the embedded-font scanner from the command line, so that
// compare.sh can time them against xxd and grep:
//   csource_tool to-c FILE OUT.h    writes FILE as C source (one header, array "data")
//   csource_tool scan FILE          lists the fonts in FILE: name, offset, size
#include "csource.h"
#include "feedback.h"
#include "fontscanner.h"

#include <QString>

#include <cstdio>
#include <cstring>

namespace {

class StderrFeedback : public Feedback
{
public:
    bool ask(const QString &) override { return true; }
    void inform(const QString &message, Title) override { print(message); }
    void fail(const QString &message, Title) override { print(message); }
    void setBusy(bool) override {}
    void setProgressRange(int, int) override {}
    void setProgressValue(int) override {}
    void setProgressVisible(bool) override {}

private:
    static void print(const QString &message)
    {
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    }
};

int usage()
{
    std::fprintf(stderr, "usage: csource_tool to-c FILE OUT.h | csource_tool scan FILE\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    StderrFeedback feedback;
    if (argc == 4 && std::strcmp(argv[1], "to-c") == 0) {
        const bool written = FileToCSource(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]),
                                           QStringLiteral("data"), false, feedback, QLatin1Char(','));
        return written ? 0 : 1;
    }
    if (argc == 3 && std::strcmp(argv[1], "scan") == 0) {
        for (const FoundFont &font : ScanFile(QString::fromLocal8Bit(argv[2]), feedback))
            std::printf("%s\t%lld\t%d\n", font.name.toLocal8Bit().constData(),
                        static_cast<long long>(font.offset), font.size);
        return 0;
    }
    return usage();
}
