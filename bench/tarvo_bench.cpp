// Speed figures of the library, each measured against a baseline that does
// the bare Qt work of the same task in the same run. Every figure is the
// minimum over several repetitions, so a busy machine makes it no worse than
// the quietest repetition.
//
//   tarvo_bench [--reps N] [FILTER...]
//
// FILTER selects figures whose name contains it (for example "fill" or
// "storeSet"); --side=ours or --side=base measures one side only, which is
// what a profiler run wants.

#include "tintegervalue.h"
#include "tvaluebrowser.h"
#include "tvaluevalidator.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QStringList>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTreeWidget>
#include <QTreeWidgetItem>

#include <cstdio>
#include <functional>
#include <limits>
#include <memory>
#include <vector>

namespace {

enum class Side { Both, Ours, Base };

struct Options
{
    int reps = 5;
    Side side = Side::Both;
    QStringList filters;
};

Options g_options;
bool g_allMet = true;

bool wanted(const QString& name)
{
    if (g_options.filters.isEmpty())
        return true;
    for (const QString& f : qAsConst(g_options.filters)) {
        if (name.contains(f, Qt::CaseInsensitive))
            return true;
    }
    return false;
}

// A timed task: prepares what it needs, then returns the nanoseconds of the
// part that is measured.
using Task = std::function<double()>;

double minimumNs(const Task& task, int reps)
{
    double best = std::numeric_limits<double>::max();
    for (int i = 0; i < reps; ++i)
        best = qMin(best, task());
    return double(best);
}

QString formatNs(double ns)
{
    if (ns >= 1e9)
        return QString::number(ns / 1e9, 'f', 3) + QLatin1String(" s");
    if (ns >= 1e6)
        return QString::number(ns / 1e6, 'f', 2) + QLatin1String(" ms");
    if (ns >= 1e3)
        return QString::number(ns / 1e3, 'f', 2) + QLatin1String(" us");
    return QString::number(ns, 'f', 2) + QLatin1String(" ns");
}

void printHeader()
{
    std::printf("%-34s %12s %12s %8s %8s  %s\n", "figure", "ours", "baseline", "ratio", "target",
                "result");
    std::printf("%s\n", QString(34 + 12 + 12 + 8 + 8 + 12, QLatin1Char('-')).toLatin1().constData());
}

// Prints one figure: ours against its baseline, met when the ratio does not
// exceed the target.
void report(const QString& name, double ours, double base, double target)
{
    const double ratio = base > 0 ? ours / base : 0.0;
    const bool met = ratio <= target;
    g_allMet = g_allMet && met;
    std::printf("%-34s %12s %12s %7.2fx %7.2fx  %s\n", name.toLocal8Bit().constData(),
                formatNs(ours).toLatin1().constData(), formatNs(base).toLatin1().constData(), ratio,
                target, met ? "PASS" : "MISS");
    std::fflush(stdout);
}

// Runs both sides of a figure (or the one asked for) and reports it.
void figure(const QString& name, const Task& ours, const Task& base, double target, int reps = 0)
{
    if (!wanted(name))
        return;
    if (reps <= 0)
        reps = g_options.reps;
    const double o = g_options.side != Side::Base ? minimumNs(ours, reps) : 0.0;
    const double b = g_options.side != Side::Ours ? minimumNs(base, reps) : 0.0;
    report(name, o, b, target);
}

QStringList rowNames(int count)
{
    QStringList names;
    names.reserve(count);
    for (int i = 0; i < count; ++i)
        names << QStringLiteral("value%1").arg(i);
    return names;
}

// A browser of `count` integer rows made by the factory, each bound to an
// element of `vars`.
std::unique_ptr<TValueBrowser> makeBrowser(const QStringList& names, std::vector<int>& vars)
{
    auto browser = std::make_unique<TValueBrowser>();
    vars.assign(size_t(names.size()), 0);
    for (int i = 0; i < names.size(); ++i) {
        vars[size_t(i)] = i;
        browser->addInt(0, names.at(i), QString(), names.at(i), &vars[size_t(i)], LT_Int, nullptr);
    }
    return browser;
}

// Fill ---------------------------------------------------------------------

void benchFill()
{
    const int count = 10000;
    const QStringList names = rowNames(count);
    QStringList texts;
    for (int i = 0; i < count; ++i)
        texts << QString::number(i);

    std::vector<int> vars(count);
    const Task ours = [&]() {
        TValueBrowser browser;
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < count; ++i)
            browser.addInt(0, names.at(i), QString(), names.at(i), &vars[size_t(i)], LT_Int, nullptr);
        return timer.nsecsElapsed();
    };
    const Task base = [&]() {
        QTreeWidget tree;
        tree.setColumnCount(2);
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < count; ++i)
            new QTreeWidgetItem(&tree, QStringList() << names.at(i) << texts.at(i));
        return timer.nsecsElapsed();
    };
    figure(QStringLiteral("fill 10k addInt / QTreeWidget"), ours, base, 3.0);
}

// Whole-set operations -------------------------------------------------------

void benchWholeSet()
{
    const QStringList opNames = {QStringLiteral("updateFromLinked"), QStringLiteral("updateLinked"),
                                 QStringLiteral("storeSet"), QStringLiteral("restoreSet")};
    bool any = false;
    for (const QString& op : opNames)
        any = any || wanted(op + QLatin1String(" 100k / 10k"));
    if (!any)
        return;

    const auto run = [](TValueBrowser& browser, std::vector<int>& vars, int op, int rep) {
        switch (op) {
        case 0:
            // Every variable changes, so every row takes a new value.
            for (size_t i = 0; i < vars.size(); ++i)
                vars[i] = int(i) + rep + 1;
            break;
        case 3:
            // Rows differ from the stored set, so every row goes back.
            for (size_t i = 0; i < vars.size(); ++i)
                vars[i] = int(i) - rep - 1;
            browser.updateFromLinked();
            break;
        default:
            break;
        }
        QElapsedTimer timer;
        timer.start();
        switch (op) {
        case 0:
            browser.updateFromLinked();
            break;
        case 1:
            browser.updateLinked();
            break;
        case 2:
            browser.storeSet();
            break;
        case 3:
            browser.restoreSet();
            break;
        }
        return timer.nsecsElapsed();
    };

    std::vector<int> smallVars, largeVars;
    auto small = makeBrowser(rowNames(10000), smallVars);
    auto large = makeBrowser(rowNames(100000), largeVars);
    small->updateFromLinked();
    small->storeSet();
    large->updateFromLinked();
    large->storeSet();
    for (int op = 0; op < opNames.size(); ++op) {
        int rep = 0;
        const Task ours = [&]() { return run(*large, largeVars, op, ++rep); };
        const Task base = [&]() { return run(*small, smallVars, op, ++rep); };
        figure(opNames.at(op) + QLatin1String(" 100k / 10k"), ours, base, 11.0);
    }
}

// Settings ---------------------------------------------------------------

void benchSettings()
{
    const QString writeName = QStringLiteral("writeDataSet 10k / QSettings");
    const QString readName = QStringLiteral("readDataSet 10k / QSettings");
    if (!wanted(writeName) && !wanted(readName))
        return;

    const int count = 10000;
    const QStringList names = rowNames(count);
    // The keys the browser writes: each value and its kind.
    QStringList keys;
    std::vector<QVariant> values;
    for (int i = 0; i < count; ++i) {
        keys << names.at(i) << names.at(i) + QLatin1String(".Type");
        values.emplace_back(i);
        values.emplace_back(int(SK_Value));
    }

    std::vector<int> vars;
    auto browser = makeBrowser(names, vars);
    browser->updateFromLinked();

    QTemporaryDir dir;
    const QString oursFile = dir.filePath(QStringLiteral("ours.ini"));
    const QString baseFile = dir.filePath(QStringLiteral("base.ini"));

    // Writing: construct the settings object, write every key, sync.
    const Task oursWrite = [&]() {
        QFile::remove(oursFile);
        QElapsedTimer timer;
        timer.start();
        {
            QSettings settings(oursFile, QSettings::IniFormat);
            browser->writeDataSet(settings);
            settings.sync();
        }
        return timer.nsecsElapsed();
    };
    const Task baseWrite = [&]() {
        QFile::remove(baseFile);
        QElapsedTimer timer;
        timer.start();
        {
            QSettings settings(baseFile, QSettings::IniFormat);
            for (int i = 0; i < keys.size(); ++i)
                settings.setValue(keys.at(i), values[size_t(i)]);
            settings.sync();
        }
        return timer.nsecsElapsed();
    };
    figure(writeName, oursWrite, baseWrite, 2.0);

    // Reading: construct the settings object (which parses the file) and
    // read every key; the browser also applies what it reads to its rows.
    oursWrite();
    baseWrite();
    int rep = 0;
    const Task oursRead = [&]() {
        // The rows hold other values than the file, so every row changes.
        ++rep;
        for (size_t i = 0; i < vars.size(); ++i)
            vars[i] = int(i) + rep;
        browser->updateFromLinked();
        QElapsedTimer timer;
        timer.start();
        {
            QSettings settings(oursFile, QSettings::IniFormat);
            browser->readDataSet(settings);
        }
        return timer.nsecsElapsed();
    };
    qint64 sink = 0;
    const Task baseRead = [&]() {
        QElapsedTimer timer;
        timer.start();
        {
            QSettings settings(baseFile, QSettings::IniFormat);
            for (const QString& key : qAsConst(keys))
                sink += settings.value(key).toInt();
        }
        return timer.nsecsElapsed();
    };
    figure(readName, oursRead, baseRead, 2.0);
    if (sink == 42)
        std::printf(" ");
}

// Validators ---------------------------------------------------------------

void benchValidators()
{
    // Texts as the editor hands them over: mostly canonical, some out of
    // range, some needing a rewrite.
    const int count = 10000;
    QStringList intTexts, realTexts;
    for (int i = 0; i < count; ++i) {
        switch (i % 4) {
        case 0:
        case 1:
            intTexts << QString::number(i - 5000);
            realTexts << QString::number((i - 5000) / 8.0, 'f', 5);
            break;
        case 2:
            intTexts << QString::number(i * 1000);
            realTexts << QString::number(i * 1000.5, 'f', 5);
            break;
        default:
            intTexts << QString::number(i) + QLatin1String(".5");
            realTexts << QString::number(i / 4.0);
            break;
        }
    }
    std::vector<QVariant> intVariants(intTexts.cbegin(), intTexts.cend());
    std::vector<QVariant> realVariants(realTexts.cbegin(), realTexts.cend());

    const int rounds = 20;
    const double calls = double(rounds) * count;
    qint64 sink = 0;

    TIntValidator intValidator(-100000, 100000);
    const Task intOurs = [&]() {
        QElapsedTimer timer;
        timer.start();
        for (int r = 0; r < rounds; ++r) {
            for (const QVariant& text : intVariants) {
                QVariant v = text;
                sink += intValidator.checkValue(v);
            }
        }
        return timer.nsecsElapsed();
    };
    const Task intBase = [&]() {
        QElapsedTimer timer;
        timer.start();
        for (int r = 0; r < rounds; ++r) {
            for (const QString& text : qAsConst(intTexts)) {
                bool ok = false;
                int n = text.toInt(&ok);
                if (!ok)
                    n = int(text.toDouble(&ok));
                sink += qBound(-100000, n, 100000) + ok;
            }
        }
        return timer.nsecsElapsed();
    };

    TDoubleValidator realValidator(-1e6, 1e6, 5);
    const Task realOurs = [&]() {
        QElapsedTimer timer;
        timer.start();
        for (int r = 0; r < rounds; ++r) {
            for (const QVariant& text : realVariants) {
                QVariant v = text;
                sink += realValidator.checkValue(v);
            }
        }
        return timer.nsecsElapsed();
    };
    const Task realBase = [&]() {
        QElapsedTimer timer;
        timer.start();
        for (int r = 0; r < rounds; ++r) {
            for (const QString& text : qAsConst(realTexts)) {
                bool ok = false;
                const double d = text.toDouble(&ok);
                sink += qint64(qBound(-1e6, d, 1e6)) + ok;
            }
        }
        return timer.nsecsElapsed();
    };

    // Per call: the totals divided by the number of calls.
    const auto perCall = [calls](const Task& task) {
        return Task([task, calls]() { return task() / calls; });
    };
    figure(QStringLiteral("TIntValidator / toInt+clamp"), perCall(intOurs), perCall(intBase), 3.0);
    figure(QStringLiteral("TDoubleValidator / toDouble+clamp"), perCall(realOurs), perCall(realBase),
           3.0);
    if (sink == 42)
        std::printf(" ");
}

// Opening the editor -------------------------------------------------------

// The nanoseconds of one move of the current row, and with it the in-place
// editor, between two rows in the middle of a shown browser.
double editorOpen(TValueBrowser& browser, int count)
{
    const int moves = 20;
    QTreeWidgetItem* a = browser.topLevelItem(count / 2 - 1);
    QTreeWidgetItem* b = browser.topLevelItem(count / 2);
    qint64 total = 0;
    for (int i = 0; i < moves; ++i) {
        QElapsedTimer timer;
        timer.start();
        browser.setCurrentItem(i % 2 ? a : b);
        total += timer.nsecsElapsed();
        // The closed editor goes when control returns to the event loop.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    return double(total) / moves;
}

void benchEditor()
{
    const QString name = QStringLiteral("open editor 10k rows / 100 rows");
    if (!wanted(name))
        return;
    std::vector<int> smallVars, largeVars;
    auto small = makeBrowser(rowNames(100), smallVars);
    auto large = makeBrowser(rowNames(10000), largeVars);
    for (TValueBrowser* b : {small.get(), large.get()}) {
        b->updateFromLinked();
        b->storeSet();
        b->resize(400, 600);
        b->show();
        QCoreApplication::processEvents();
        editorOpen(*b, b->topLevelItemCount()); // warm up: first editor, first layout
    }
    const Task ours = [&]() { return editorOpen(*large, 10000); };
    const Task base = [&]() { return editorOpen(*small, 100); };
    figure(name, ours, base, 1.5);
}

// Extensions -----------------------------------------------------------------

void benchFilter()
{
    const QString name = QStringLiteral("setFilter 10k / setHidden loop");
    if (!wanted(name))
        return;
    std::vector<int> vars;
    auto browser = makeBrowser(rowNames(10000), vars);
    browser->updateFromLinked();
    const QString text = QStringLiteral("value1");
    // Both sides start from every row shown and hide the same rows.
    const auto showAll = [&]() {
        browser->setFilter(QString());
        for (int i = 0; i < browser->topLevelItemCount(); ++i)
            browser->topLevelItem(i)->setHidden(false);
    };
    const Task ours = [&]() {
        showAll();
        QElapsedTimer timer;
        timer.start();
        browser->setFilter(text);
        return timer.nsecsElapsed();
    };
    const Task base = [&]() {
        showAll();
        QElapsedTimer timer;
        timer.start();
        for (int i = 0; i < browser->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = browser->topLevelItem(i);
            item->setHidden(!item->text(0).contains(text, Qt::CaseInsensitive));
        }
        return timer.nsecsElapsed();
    };
    figure(name, ours, base, 2.0);
}

void benchInspect()
{
    const QString name = QStringLiteral("addObject QWidget / 2 ms budget");
    if (!wanted(name))
        return;
    QWidget widget;
    TValueBrowser warm;
    warm.addObject(&widget); // the shared color and font lists are filled once
    const Task ours = [&]() {
        TValueBrowser browser;
        QElapsedTimer timer;
        timer.start();
        browser.addObject(&widget);
        return timer.nsecsElapsed();
    };
    figure(name, ours, [] { return 2e6; }, 1.0);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        if (arg == QLatin1String("--reps") && i + 1 < args.size())
            g_options.reps = qMax(1, args.at(++i).toInt());
        else if (arg == QLatin1String("--side=ours"))
            g_options.side = Side::Ours;
        else if (arg == QLatin1String("--side=base"))
            g_options.side = Side::Base;
        else if (arg.startsWith(QLatin1String("--"))) {
            std::fprintf(stderr, "usage: tarvo_bench [--reps N] [--side=ours|base] [FILTER...]\n");
            return 2;
        } else
            g_options.filters << arg;
    }

    printHeader();
    benchFill();
    benchWholeSet();
    benchSettings();
    benchValidators();
    benchEditor();
    benchFilter();
    benchInspect();
    std::printf("\n%s\n", g_allMet ? "all targets met" : "some targets missed");
    return 0;
}
