// SPDX-License-Identifier: MIT
// The all-cards command in the window against the engine alone, and a sort
// by name in the window, on the generated data folders, with peak memory.
// Prints figures; passes or fails nothing.
//   voxtarn-gui-bench [--runs N] DATA_FOLDER...
// Each measurement runs in a child process of its own, so that its peak
// resident size (getrusage maxrss) is its own.
#include "../EngineOnlyFrontEnd.h"
#include "CMainWindow.h"
#include "CMyApp.h"
#include "FilterBoxWorker.h"
#include "CardListBox.h"
#include "CardListHeader.h"
#include "CardListModel.h"
#include "MainMenu.h"
#include "OperatingSystem.h"
#include "ProfileStore.h"
#include "SortedCardLines.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <vector>

namespace {

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The resident size now and at its peak, step by step: which part of the
// run the window's peak belongs to.
void reportMemory(const char* after)
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (!status)
        return;
    long resident = 0, peak = 0;
    char line[256];
    while (std::fgets(line, sizeof line, status)) {
        std::sscanf(line, "VmRSS: %ld", &resident);
        std::sscanf(line, "VmHWM: %ld", &peak);
    }
    std::fclose(status);
    std::fprintf(stderr, "  window: after %s, resident %ld MB, peak %ld MB\n", after, resident / 1024, peak / 1024);
}

// The floor under any list that keeps the cards: writing once into as much
// fresh memory as both files hold, in blocks as the card store takes them.
// The system has to hand out and clear every page of it.
double freshMemorySeconds(std::size_t bytes)
{
    constexpr std::size_t kBlock = 16u << 20;
    std::vector<char*> blocks;
    QElapsedTimer clock;
    clock.start();
    for (std::size_t done = 0; done < bytes; done += kBlock) {
        char* block = card::os::allocateBlock(kBlock);
        if (!block)
            break;
        blocks.push_back(block);
        for (std::size_t page = 0; page < kBlock; page += 4096)
            block[page] = 1;
    }
    const double seconds = clock.nsecsElapsed() / 1e9;
    for (char* block : blocks)
        card::os::freeBlock(block, kBlock);
    return seconds;
}

qint64 dataBytes(const QString& folder);

// Processor time of the whole process (every thread), in seconds.
double processCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + now.tv_nsec / 1e9;
}

// Processor time of this thread, in milliseconds: on a machine shared with
// other work the wall time of a few milliseconds says little.
double threadCpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

// A page of 100,000 characters (50,000 words) pasted into the filter box: how
// long the paste holds the window, and the longest stretch without events
// until the filter's cards show; wall and processor time.
void reportPastedPage(CMainWindow& window)
{
    auto* box = window.findChild<QLineEdit*>(QStringLiteral("filterText"));
    auto* runner = window.findChild<FilterBoxWorker*>();
    bool done = false;
    QObject::connect(runner, &FilterBoxWorker::finished, &window, [&done] { done = true; });
    QElapsedTimer clock;
    clock.start();
    double cpu = threadCpuMs();
    box->setText(QStringLiteral("x ").repeated(50000));
    const double holdMs = clock.nsecsElapsed() / 1e6, holdCpuMs = threadCpuMs() - cpu;
    double longestMs = holdMs, longestCpuMs = holdCpuMs;
    while (!done) {
        QElapsedTimer stretch;
        stretch.start();
        cpu = threadCpuMs();
        QApplication::processEvents();
        longestMs = std::max(longestMs, stretch.nsecsElapsed() / 1e6);
        longestCpuMs = std::max(longestCpuMs, threadCpuMs() - cpu);
    }
    std::fprintf(stderr,
                 "  window: a pasted page of 50,000 words holds it %.1f ms (processor %.1f ms), %.1f ms (%.1f ms) at "
                 "most between events, its cards after %.3f s\n",
                 holdMs, holdCpuMs, longestMs, longestCpuMs, clock.nsecsElapsed() / 1e9);
    done = false;
    box->clear();
    while (!done)
        QApplication::processEvents();
}

// Records the peak resident size at the list's first paint after the
// command, once the view
// has laid out its rows: the window's memory for the list itself, before the
// readings made in the background and before any sort.
class FirstPaintPeak : public QObject {
public:
    explicit FirstPaintPeak(CardListBox& list) : list_(list) { list.viewport()->installEventFilter(this); }
    long kilobytes() const { return kilobytes_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && kilobytes_ == 0) {
            list_.indexAt(QPoint(1, 1));  // the pending layout, which the paint would run first
            kilobytes_ = peakKilobytes();
        }
        return false;
    }

private:
    CardListBox& list_;
    long kilobytes_ = 0;
};

// One child measurement: "<seconds> <peak kB> <lines> [<scroll ms> <sort s> <text s> <ready s> <list kB>]".
int measure(const QString& mode, const QString& folder)
{
    const std::string dir = QFile::encodeName(folder).toStdString();
    if (mode == QLatin1String("memory")) {
        std::printf("%.3f 0 0\n", freshMemorySeconds(static_cast<std::size_t>(dataBytes(folder))));
        return 0;
    }
    if (mode == QLatin1String("engine")) {
        bench::DiscardingView view;
        bench::StderrUi ui;
        card::CardLister lister(view, ui, dir);
        QElapsedTimer clock;
        clock.start();
        const double cpuStart = processCpuSeconds();
        lister.OnListAll();
        const double seconds = clock.nsecsElapsed() / 1e9;
        std::fprintf(stderr, "  engine: %.3f s, processor %.3f s\n", seconds, processCpuSeconds() - cpuStart);
        std::printf("%.3f %ld %zu\n", seconds, peakKilobytes(), lister.cards().size());
        return 0;
    }
    CMainWindow window(dir);
    window.resize(960, 600);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    QApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    const double listCpuStart = processCpuSeconds();
    window.commandAction(104)->trigger();  // 全カードリスト
    const double commandSeconds = clock.nsecsElapsed() / 1e9;
    const double commandCpu = processCpuSeconds() - listCpuStart;
    FirstPaintPeak listPeak(*window.listBox());  // the reading yields to the window, which paints meanwhile
    QApplication::processEvents();  // the view's layout and first paint
    const double seconds = clock.nsecsElapsed() / 1e9;
    std::fprintf(stderr, "  window: command %.3f s (processor %.3f s), layout and first paint %.3f s (processor %.3f s)\n",
                 commandSeconds, commandCpu, seconds - commandSeconds, processCpuSeconds() - listCpuStart - commandCpu);
    CardListBox* list = window.listBox();
    if (list->currentSelection() != 0)
        return 1;
    reportMemory("the list's first paint");
    reportPastedPage(window);
    reportMemory("a pasted filter");
    // Jumps to the middle and the end and repaints: with only the visible
    // rows drawn this takes milliseconds whatever the length.
    clock.restart();
    for (int row : {list->count() / 2, list->count() - 1}) {
        list->scrollTo(list->lines()->index(row));
        list->viewport()->repaint();
    }
    const double scrollMs = clock.nsecsElapsed() / 1e6;
    // A click on the name column: the sort and the repaint of the lines in
    // their new order.
    clock.restart();
    const std::clock_t cpuStart = std::clock();
    list->header()->setSortIndicator(1, Qt::AscendingOrder);
    list->viewport()->repaint();
    const double sortSeconds = clock.nsecsElapsed() / 1e9;
    std::fprintf(stderr, "  window: sort %.3f s, of it %.3f s CPU time\n", sortSeconds,
                 double(std::clock() - cpuStart) / CLOCKS_PER_SEC);
    reportMemory("the first sort");
    if (list->lines()->sortColumn() != 1)
        return 1;
    // 読みで並べる off sorts the column again by the text's collation alone,
    // and on again by the readings, now all made; the switch ends as it began.
    QAction* byReading = window.commandAction(ID_READING_SORT);
    double switchSeconds[2] = {};
    for (double& spent : switchSeconds) {
        clock.restart();
        byReading->trigger();
        list->viewport()->repaint();
        spent = clock.nsecsElapsed() / 1e9;
        reportMemory(byReading->isChecked() ? "the sort by reading" : "the sort by text");
    }
    std::printf("%.3f %ld %d %.1f %.3f %.3f %.3f %ld\n", seconds, peakKilobytes(), list->count(), scrollMs, sortSeconds,
                switchSeconds[byReading->isChecked() ? 0 : 1], switchSeconds[byReading->isChecked() ? 1 : 0],
                listPeak.kilobytes());
    return 0;
}

struct Figures {
    double seconds = 1e300;
    long peakKb = 0;
    long long lines = 0;
    double scrollMs = 1e300;
    double sortSeconds = 1e300;
    double textSortSeconds = 1e300;     // 読みで並べる off
    double readySortSeconds = 1e300;    // on again, the readings made
    long listPeakKb = 0;                // at the list's first paint
};

Figures runChild(const QString& mode, const QString& folder, int runs)
{
    Figures best;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--measure"), mode, folder});
        if (!child.waitForFinished(-1) || child.exitCode() != 0) {
            std::fprintf(stderr, "%s run on %s failed\n", qPrintable(mode), qPrintable(folder));
            return best;
        }
        const QStringList f = QString::fromLatin1(child.readAllStandardOutput()).split(QLatin1Char(' '));
        best.seconds = std::min(best.seconds, f.value(0).toDouble());
        best.peakKb = std::max(best.peakKb, f.value(1).toLong());
        best.lines = f.value(2).toLongLong();
        if (f.size() > 4) {
            best.scrollMs = std::min(best.scrollMs, f.value(3).toDouble());
            best.sortSeconds = std::min(best.sortSeconds, f.value(4).toDouble());
            best.textSortSeconds = std::min(best.textSortSeconds, f.value(5).toDouble());
            best.readySortSeconds = std::min(best.readySortSeconds, f.value(6).toDouble());
            best.listPeakKb = std::max(best.listPeakKb, f.value(7).toLong());
        }
    }
    return best;
}

// The plain scan that the window is measured against: grep counting the
// record ends of both files, best of `runs`. Its output goes to a pipe, never
// /dev/null, where GNU grep stops at the first match.
double grepSeconds(const QString& folder, int runs)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        QProcess grep;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        grep.setProcessEnvironment(environment);
        QElapsedTimer clock;
        clock.start();
        grep.start(QStringLiteral("grep"), {QStringLiteral("-c"), QStringLiteral("-F"), QStringLiteral("--"),
                                            QStringLiteral("--"), QDir(folder).filePath(QStringLiteral("corp.txt")),
                                            QDir(folder).filePath(QStringLiteral("runner.txt"))});
        if (!grep.waitForFinished(-1))
            return 0;
        best = std::min(best, clock.nsecsElapsed() / 1e9);
        grep.readAllStandardOutput();
    }
    return best;
}

qint64 dataBytes(const QString& folder)
{
    return QFileInfo(QDir(folder).filePath(QStringLiteral("corp.txt"))).size() +
           QFileInfo(QDir(folder).filePath(QStringLiteral("runner.txt"))).size();
}

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir settingsRoot;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(settingsRoot.path()));
    qputenv("XDG_CONFIG_DIRS", QFile::encodeName(settingsRoot.path()));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    CMyApp app(argc, argv);
    app.setApplicationName(QString::fromLatin1(ProfileStore::kApplication));
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.size() == 3 && args[0] == QLatin1String("--measure"))
        return measure(args[1], args[2]);

    int runs = 3;
    if (args.size() >= 2 && args[0] == QLatin1String("--runs")) {
        runs = std::max(1, args[1].toInt());
        args = args.mid(2);
    }
    if (args.isEmpty()) {
        std::fprintf(stderr, "usage: voxtarn-gui-bench [--runs N] DATA_FOLDER...\n");
        return 2;
    }
    std::printf("%-12s %9s %8s | %8s %8s %8s %8s %6s %6s | %9s %8s %6s %9s %6s | %9s %7s %7s %7s\n", "folder", "lines", "MB",
                "grep s", "memory s", "engine s", "window s", "x grep", "x eng", "engine MB", "list MB", "+x file",
                "window MB", "x file", "scroll ms",
                "sort s", "text s", "ready s");
    for (const QString& folder : args) {
        const Figures engine = runChild(QStringLiteral("engine"), folder, runs);
        const Figures window = runChild(QStringLiteral("window"), folder, runs);
        const double grep = grepSeconds(folder, runs);
        const Figures memory = runChild(QStringLiteral("memory"), folder, runs);
        const double mb = dataBytes(folder) / 1048576.0;
        std::printf("%-12s %9lld %8.1f | %8.3f %8.3f %8.3f %8.3f %6.2f %6.2f | %9.1f %8.1f %6.3f %9.1f %6.2f | %9.1f %7.3f %7.3f "
                    "%7.3f\n",
                    qPrintable(QDir(folder).dirName()), window.lines, mb, grep, memory.seconds, engine.seconds,
                    window.seconds, window.seconds / grep, window.seconds / engine.seconds, engine.peakKb / 1024.0,
                    window.listPeakKb / 1024.0, (window.listPeakKb - engine.peakKb) / 1024.0 / mb, window.peakKb / 1024.0, window.peakKb / 1024.0 / mb, window.scrollMs, window.sortSeconds, window.textSortSeconds, window.readySortSeconds);
    }
    std::printf("\nall-cards command (104), best of %d runs each, offscreen platform.\n"
                "grep: LC_ALL=C grep -c -F -- -- on corp.txt and runner.txt, in the same run.\n"
                "memory: writing once into fresh memory of both files' size, in the store's blocks:\n"
                "the floor under every list that keeps its cards.\n"
                "engine: CardLister with a view that keeps nothing (the store keeps the cards); window:\n"
                "the command through its menu action until the list is filled, the first line\n"
                "selected and painted. x grep: window / grep; x eng: window / engine.\n"
                "MB: peak resident size (getrusage maxrss); x file: window peak / both files' size.\n"
                "list MB: the window's peak at the list's first paint, laid out, before the readings\n"
                "made in the background and the sort; +x file: (list - engine) / both files' size.\n"
                "scroll ms: jump to the middle and the last line, repainting each time.\n"
                "sort s: a click on the name column, until the lines are repainted in name order\n"
                "(by reading: the readings not yet made in the background are made first).\n"
                "text s: 読みで並べる switched off, the column sorted again by the text's collation;\n"
                "ready s: switched on again, sorted by the readings, all made by then.\n",
                runs);
    return 0;
}
