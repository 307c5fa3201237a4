// Reading a value set from a settings file whose contents are fuzzed, into
// a browser with a row of every type, under each storing policy.

#include "fuzzcommon.h"
#include "tboolvalue.h"
#include "tcolorvalue.h"
#include "tcompoundvalidators.h"
#include "tfontvalue.h"
#include "tintegervalue.h"
#include "tdoublevalue.h"
#include "tlistvalue.h"
#include "tpathvalue.h"
#include "tpointvalue.h"
#include "trangevalue.h"
#include "trectvalue.h"
#include "tsizevalue.h"
#include "ttextvalue.h"
#include "tvaluebrowser.h"

#include <QFile>
#include <QRegExp>
#include <QSettings>
#include <QTemporaryDir>

#include <vector>

namespace {

TIntValidator intValidator(0, 100);
TDoubleValidator realValidator(-1.0, 1.0, 3);
QRegExp wordPattern(QStringLiteral("[a-z]{1,8}"));
TRegExpValidator wordValidator(wordPattern, nullptr);
TPointValidator pointValidator(nullptr, 0, 1000, 0, 1000);
TSizeValidator sizeValidator(nullptr, 1, 500, 1, 500);
TRectValidator rectValidator(nullptr, 0, 100, 0, 100);
TRangeValidator rangeValidator(nullptr, 0.0, 10.0, 0.0, 10.0);

TItemList* numbers()
{
    static TItemList* list = [] {
        auto* l = new TItemList(false);
        l->setItem(QVariant(1), QStringLiteral("one"), nullptr);
        l->setItem(QVariant(2), QStringLiteral("two"), nullptr);
        return l;
    }();
    return list;
}

// The caller's variables, with the values they start every input with.
struct Variables
{
    int i = 7;
    double r = 0.5;
    bool b = true;
    QString t = QStringLiteral("text");
    QString word = QStringLiteral("word");
    QString path = QStringLiteral("/tmp");
    QColor c = QColor(Qt::red);
    QFont f = QFont(QStringLiteral("Sans"), 10);
    QPoint pt = QPoint(1, 2);
    QSize sz = QSize(3, 4);
    QRect rc = QRect(1, 2, 3, 4);
    QPoint rg = QPoint(1, 2);
    int l = 1;
    bool on = true;
};

struct Browser
{
    Variables vars;
    TValueBrowser browser;
    std::vector<TBaseValue*> rows;

    Browser()
    {
        browser.setSpecialList(&TValueBrowser::s_specialList, false);
        browser.addGroup(QStringLiteral("Numbers"), QStringLiteral("A"));
        TBaseValue* i = browser.addInt(1, QStringLiteral("i"), QString(), QStringLiteral("i"), &vars.i, LT_Int,
                                       &intValidator);
        i->addCheckProperty(QStringLiteral("i.on"), &vars.on, LT_Bool);
        add(i);
        add(browser.addReal(1, QStringLiteral("r"), QString(), QStringLiteral("r"), &vars.r, LT_Double,
                            &realValidator));
        add(browser.addBool(1, QStringLiteral("b"), QString(), QStringLiteral("b"), &vars.b));
        add(browser.addList(1, QStringLiteral("l"), QString(), QStringLiteral("l"), &vars.l, LT_Int, numbers()));
        add(browser.addRange(1, QStringLiteral("rg"), QString(), QStringLiteral("rg"), &vars.rg, &rangeValidator));
        browser.addGroup(QStringLiteral("Texts"), QStringLiteral("B"));
        add(browser.addText(1, QStringLiteral("t"), QString(), QStringLiteral("t"), &vars.t));
        add(browser.addValue(1, QStringLiteral("w"), QString(), QStringLiteral("w"), &vars.word, LT_String,
                             &wordValidator));
        add(browser.addPath(1, QStringLiteral("p"), QString(), QStringLiteral("p"), &vars.path));
        add(browser.addColor(1, QStringLiteral("c"), QString(), QStringLiteral("c"), &vars.c));
        add(browser.addFont(1, QStringLiteral("f"), QString(), QStringLiteral("f"), &vars.f));
        browser.addGroup(QStringLiteral("Geometry"), QString());
        add(browser.addPoint(1, QStringLiteral("pt"), QString(), QStringLiteral("pt"), &vars.pt, &pointValidator));
        add(browser.addSize(1, QStringLiteral("sz"), QString(), QStringLiteral("sz"), &vars.sz, &sizeValidator));
        add(browser.addRect(1, QStringLiteral("rc"), QString(), QStringLiteral("rc"), &vars.rc, &rectValidator));
        browser.updateFromLinked();
        // Some rows start special, as after a "Default" pick.
        rows[1]->setSpecial(SV_Default);
        rows[6]->setSpecial(SV_NoValue);
        browser.storeSet();
    }

    void add(TBaseValue* row)
    {
        fuzz::require(row != nullptr, "the factory makes the row");
        rows.push_back(row);
    }
};

// A row holds a special value of the browser's list, an entry of its own
// list, or a value its validator takes as it is.
void checkHeld(TBaseValue* row)
{
    const SValue& held = row->value();
    TItemList* list = row->list();
    switch (held.kind) {
    case SK_Special:
        fuzz::require(TValueBrowser::s_specialList.findItem(held.value) != nullptr,
                      "a special value is one of the list");
        return;
    case SK_ListItem:
        if (held.value.userType() == QMetaType::QFont) {
            fuzz::require(!qvariant_cast<QFont>(held.value).family().isEmpty(), "a font has a family");
            return;
        }
        fuzz::require(list && (list->findItem(held.value) || list->findItemByText(held.value.toString())),
                      "a list value is an entry of the list");
        return;
    default:
        break;
    }
    fuzz::require(held.kind == SK_Value, "a row's kind is known");
    if (TValueValidator* validator = row->validator()) {
        QVariant copy = held.value;
        fuzz::require(validator->checkValue(copy) == TValueValidator::VR_Valid,
                      "a row holds only what its validator takes as it is");
    }
}

bool sameRecord(const SValue& a, const SValue& b)
{
    return a.kind == b.kind && fuzz::identical(a.value, b.value);
}

// A bound variable holds what the row's validator would take.
void checkAccepted(TValueValidator* validator, const QVariant& variable)
{
    QVariant copy = variable;
    fuzz::require(validator->checkValue(copy) != TValueValidator::VR_Invalid,
                  "a bound variable receives only accepted values");
}

void checkVariables(const Variables& v)
{
    fuzz::require(v.i >= 0 && v.i <= 100, "the bound int lies within its row's bounds");
    fuzz::require(v.r >= -1.0 && v.r <= 1.0, "the bound real lies within its row's bounds");
    checkAccepted(&wordValidator, QVariant(v.word));
    fuzz::require(v.c.isValid(), "the bound color is a color");
    fuzz::require(!v.f.family().isEmpty(), "the bound font has a family");
    checkAccepted(&pointValidator, QVariant(v.pt));
    fuzz::require(v.pt.x() >= 0 && v.pt.x() <= 1000 && v.pt.y() >= 0 && v.pt.y() <= 1000,
                  "the bound point lies within its row's bounds");
    fuzz::require(v.sz.width() >= 1 && v.sz.width() <= 500 && v.sz.height() >= 1 && v.sz.height() <= 500,
                  "the bound size lies within its row's bounds");
    const qint64 w = qint64(v.rc.right()) - v.rc.left() + 1;
    const qint64 h = qint64(v.rc.bottom()) - v.rc.top() + 1;
    fuzz::require((w >= 0 && w <= 100) || v.rc.right() == std::numeric_limits<int>::max(),
                  "the bound rectangle's width lies within its row's bounds");
    fuzz::require((h >= 0 && h <= 100) || v.rc.bottom() == std::numeric_limits<int>::max(),
                  "the bound rectangle's height lies within its row's bounds");
    fuzz::require(v.rg.x() >= 0 && v.rg.x() <= 10 && v.rg.y() >= 0 && v.rg.y() <= 10,
                  "the bound range lies within its row's bounds");
    fuzz::require(v.l == 1 || v.l == 2, "the bound list variable holds an entry");
}

} // namespace

int fuzzOne(FuzzedDataProvider& data)
{
    // A new file each time: QSettings keeps what it parsed of a path.
    static QTemporaryDir dir;
    static int fileCount = 0;
    const QString path = dir.filePath(QStringLiteral("set%1.ini").arg(++fileCount));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        file.write(QByteArray::fromStdString(data.ConsumeRemainingBytesAsString()));
    }

    Browser b;
    for (const TValueBrowser::EStoringPolicy policy :
         {TValueBrowser::SP_Current, TValueBrowser::SP_Stored, TValueBrowser::SP_Linked}) {
        b.browser.setStoringPolicy(policy);
        std::vector<SValue> before;
        for (TBaseValue* row : b.rows)
            before.push_back(row->value());
        {
            QSettings settings(path, QSettings::IniFormat);
            b.browser.readDataSet(settings);
        }
        switch (policy) {
        case TValueBrowser::SP_Current:
            for (TBaseValue* row : b.rows)
                checkHeld(row);
            break;
        case TValueBrowser::SP_Stored:
            for (size_t n = 0; n < b.rows.size(); ++n)
                fuzz::require(sameRecord(b.rows[n]->value(), before[n]), "reading the stored set shows nothing new");
            b.browser.restoreSet();
            for (TBaseValue* row : b.rows)
                checkHeld(row);
            break;
        case TValueBrowser::SP_Linked:
            for (size_t n = 0; n < b.rows.size(); ++n)
                fuzz::require(sameRecord(b.rows[n]->value(), before[n]), "reading the variables leaves the rows");
            checkVariables(b.vars);
            // The variables go to the rows as any caller's would.
            b.browser.updateFromLinked();
            for (TBaseValue* row : b.rows)
                checkHeld(row);
            break;
        }
        for (TBaseValue* row : b.rows)
            fuzz::require(row->checked() >= Qt::Unchecked && row->checked() <= Qt::Checked,
                          "a check state is one of the three");
    }

    // What the rows hold now is written and read back unchanged.
    b.browser.setStoringPolicy(TValueBrowser::SP_Current);
    const QString copyPath = path + QStringLiteral(".copy");
    {
        QSettings settings(copyPath, QSettings::IniFormat);
        b.browser.writeDataSet(settings);
    }
    std::vector<SValue> written;
    for (TBaseValue* row : b.rows)
        written.push_back(row->value());
    {
        QSettings settings(copyPath, QSettings::IniFormat);
        b.browser.readDataSet(settings);
    }
    for (size_t n = 0; n < b.rows.size(); ++n)
        fuzz::require(!b.rows[n]->valueChanged(b.rows[n]->value().value, written[n].value)
                          && b.rows[n]->value().kind == written[n].kind,
                      "a value set reads back as it was written");

    QFile::remove(path);
    QFile::remove(copyPath);
    return 0;
}
