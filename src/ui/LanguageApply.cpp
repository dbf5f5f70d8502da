#include "LanguageApply.h"

#include "core/LanguageTable.h"
#include "core/OwnMessages.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QTabWidget>
#include <QWidget>

namespace quelmar {

namespace {

enum class Label { Caption, Hint };

struct LanguageRow {
    int line;
    const char* window;
    const char* component; // nullptr: the window's own caption
    Label label;
};

constexpr auto C = Label::Caption;
constexpr auto H = Label::Hint;

constexpr LanguageRow Rows[] = {
    {1, "TQMRMainwin", "File1", C},
    {2, "TQMRMainwin", "FileOpenItem", C},
    {3, "TQMRMainwin", "N1", C},
    {4, "TQMRMainwin", "launch", C},
    {5, "TQMRMainwin", "calendbutt", C},
    {6, "TQMRMainwin", "Calc", C},
    {7, "TQMRMainwin", "FileExitItem", C},
    {8, "TQMRMainwin", "data1", C},
    {9, "TQMRMainwin", "Dataadd", C},
    {10, "TQMRMainwin", "Dataaddfile", C},
    {11, "TQMRMainwin", "njdbutt", C},
    {12, "TQMRMainwin", "countbarbut", C},
    {12, "TQMRMainwin", "ToolButton6", H},
    {12, "Tbawin", nullptr, C},
    {13, "TQMRMainwin", "perbut1", C},
    {13, "TQMRMainwin", "ToolButton7", H},
    {14, "TQMRMainwin", "phasbutt", C},
    {14, "TQMRMainwin", "ToolButton8", H},
    {15, "TQMRMainwin", "graph1", C},
    {16, "TQMRMainwin", "Grf1", C},
    {17, "TQMRMainwin", "grfrenew", C},
    {18, "TQMRMainwin", "grfperev", C},
    {19, "TQMRMainwin", "grflines", C},
    {20, "TQMRMainwin", "grfsave", C},
    {21, "TQMRMainwin", "Optbutt", C},
    {22, "TQMRMainwin", "Help1", C},
    {23, "TQMRMainwin", "helpbutt", C},
    {24, "TQMRMainwin", "HelpAboutItem", C},
    {24, "TAboutbox", nullptr, C},
    {25, "TQMRMainwin", "ToolButton1", H},
    {26, "TQMRMainwin", "ToolButton3", H},
    {27, "TQMRMainwin", "ToolButton4", H},
    {28, "TQMRMainwin", "N5", C},
    {28, "TQMRMainwin", "ToolButton5", H},
    {29, "TAddform", nullptr, C},
    {30, "TAddform", "Label1", C},
    {31, "TAddform", "Label2", C},
    {32, "TAddform", "Label3", C},
    {33, "TAddform", "Label4", C},
    {34, "TAddform", "Label5", C},
    {35, "TAddform", "OKButt", C},
    {36, "TAddform", "finishbutt", C},
    {37, "Tbarquest", "Label1", C},
    {38, "Tbarquest", "Label2", C},
    {39, "Tbarquest", "Label3", C},
    {40, "Tbawin", "Label1", C},
    {41, "Tbawin", "Label10", C},
    {42, "Tbawin", "Label3", C},
    {43, "Tbawin", "Label7", C},
    {44, "Tbawin", "Label4", C},
    {44, "Tbawin", "Label8", C},
    {45, "Tbawin", "Label5", C},
    {45, "Tbawin", "Label9", C},
    {46, "Tbawin", "okbtn", C},
    {47, "Tbawin", "canbtn", C},
    {47, "TSVDvosst", "Button2", C},
    {48, "Tcalendbox", nullptr, C},
    {49, "Tcurvtool", nullptr, C},
    {50, "Tcurvtool", "LPoint", C},
    {51, "Tcurvtool", "homebtn", C},
    {52, "Tcurvtool", "endbtn", C},
    {53, "Tcurvtool", "renewbtn2", C},
    {54, "Tcurvtool", "linebtn", C},
    {55, "Tcurvtool", "reverbtn", C},
    {56, "Tcurvtool", "Button2", C},
    {57, "Tcurvtool", "allcurv", C},
    {58, "Tcurvtool", "Label1", C},
    {59, "Tcurvtool", "Label2", C},
    {60, "Tcurvtool", "Label3", C},
    {61, "TForm1", nullptr, C},
    {62, "TForm11", nullptr, C},
    {63, "TForm11", "Label1", C},
    {64, "TForm11", "Button1", C},
    {65, "TForm11", "Button2", C},
    {66, "THelpfrm", nullptr, C},
    {67, "TOptform", nullptr, C},
    {68, "TOptform", "TabSheet1", C},
    {69, "TOptform", "FullNumCh", C},
    {70, "TOptform", "OnTopCH", C},
    {71, "TOptform", "Label1", C},
    {72, "TOptform", "Label2", C},
    {73, "TOptform", "obzor1", C},
    {73, "TOptform", "obzor2", C},
    {74, "TOptform", "GroupBox5", C},
    {75, "TOptform", "RadioButton1", C},
    {76, "TOptform", "Label777", C},
    {77, "TOptform", "Label23", C},
    {78, "TOptform", "Label24", C},
    {79, "TOptform", "TabSheet2", C},
    {80, "TOptform", "Datatoolch", C},
    {81, "TOptform", "setkach", C},
    {82, "TOptform", "GroupBox2", C},
    {83, "TOptform", "ColorXaxBtn", C},
    {83, "TOptform", "ColorYaxBtn", C},
    {83, "TOptform", "ColorNumBtn", C},
    {83, "TOptform", "ColorXBtn", C},
    {83, "TOptform", "ColorYBtn", C},
    {83, "TOptform", "Color1xBtn", C},
    {84, "TOptform", "Label12", C},
    {84, "TOptform", "Label13", C},
    {84, "TOptform", "Label9", C},
    {84, "TOptform", "Label14", C},
    {84, "TOptform", "Label15", C},
    {84, "TOptform", "Label16", C},
    {85, "TQMRMainwin", "N6", C},
    {85, "TQMRMainwin", "ToolButton11", H},
    {86, "TOptform", "GroupBox1", C},
    {87, "TOptform", "GroupBox4", C},
    {88, "TOptform", "Label21", C},
    {89, "TOptform", "Label22", C},
    {90, "TOptform", "GroupBox3", C},
    {92, "TOptform", "defaultbtn", C},
    {93, "TPerfrm", nullptr, C},
    {94, "TPerfrm", "Label1", C},
    {95, "TPerfrm", "Label2", C},
    {96, "TPerfrm", "Label3", C},
    {97, "TPerfrm", "Label7", C},
    {98, "TPerfrm", "Label4", C},
    {98, "TPerfrm", "Label8", C},
    {99, "TPerfrm", "Label5", C},
    {100, "TPerfrm", "okbtn", C},
    {101, "TPerfrm", "canbtn", C},
    {101, "TForm1", "canbtn", C},
    {102, "TPhasfrm", nullptr, C},
    {103, "TPhasfrm", "Label4", C},
    {104, "TPhasfrm", "Label2", C},
    {105, "TPhasfrm", "Label3", C},
    {106, "TPhasfrm", "OKbtn", C},
    {107, "TPhasfrm", "Canbtn", C},
    {108, "TAddform", "Label6", C},
    {109, "TAddform", "Label7", C},
    {110, "TAddform", "Label8", C},
    {117, "TForm11", "Button4", C},
    {118, "TForm11", "Button3", C},
    {122, "TQMRMainwin", "connranges", C},
    {119, "TQMRMainwin", "colcol1", C},
    {119, "TQMRMainwin", "ToolButton10", H},
    {120, "TQMRMainwin", "N7", C},
    {120, "TQMRMainwin", "ToolButton9", H},
    {121, "TQMRMainwin", "N8", C},
    {121, "TQMRMainwin", "ToolButton12", H},
    {121, "TSVDvosst", nullptr, C},
    {123, "TSVDvosst", "Button1", C},
    {127, "TOptform", "askdel", C},
    {128, "TOptform", "GroupBox6", C},
    {129, "TOptform", "RadioButton2", C},
    {130, "TOptform", "RadioButton3", C},
    {131, "TOptform", "RadioButton4", C},
    {132, "TOptform", "Label19", C},
    {137, "TPerfrm", "Label9", C},
    {138, "TForm1", "Label1", C},
    {139, "TForm1", "Label5", C},
    {140, "TForm1", "Label6", C},
    {143, "TForm11", "Button5", C},
};

// Texts of our own, written in the interface's language whenever a language is applied.
struct OwnTextRow {
    const char* window;
    const char* component;
    const OwnMessage* text;
    Label label;
};

constexpr OwnTextRow OwnRows[] = {
    {"TCurfrm", nullptr, &message::CurveCaption, C},
    {"TCurfrm", "GrfObj", &message::CurvePictureHint, H},
    {"Tcurvtool", "maxbtn", &message::MaximumHint, H},
    {"Tcurvtool", "minbtn", &message::MinimumHint, H},
    {"Tcurvtool", "backbtn", &message::BackHint, H},
    {"Tcurvtool", "forwbtn", &message::ForwardHint, H},
    {"Tcurvtool", "Label4", &message::Ranges, C},
    {"TPerfrm", "Label6", &message::StepLabel, C},
    {"TOptform", "selall", &message::EveryChannel, C},
    {"TOptform", "selno", &message::NoChannel, C},
    {"TOptform", "Label20", &message::PixelUnit, C},
    {"TOptform", "Button1", &message::LanguageButton, C},
    {"TOptform", "MissingLabel", &message::MissingValueLabel, C},
    {"TOptform", "MissingEdit", &message::MissingValueHint, H},
    {"TOptform", "BaryTdbCh", &message::BarycentricTdbDefault, C},
    {"TAboutbox", "Label1", &message::Developers, C},
    {"TQMRMainwin", "N4", &message::PreviousRange, C},
    {"TQMRMainwin", "N2", &message::NextRange, C},
    {"TQMRMainwin", "N_OC", &message::OcCaption, C},
    {"Tbarquest", nullptr, &message::ShortenedDatesTitle, C},
    {"Tbarquest", "Button1", &message::ShortenedDatesOk, C},
    {"TPeaks", nullptr, &message::PeaksTitle, C},
    {"TPeaks", "foldbtn", &message::PeaksFold, C},
    {"TPeaks", "closebtn", &message::PeaksClose, C},
};

QWidget* windowNamed(const QList<QWidget*>& windows, const char* name) {
    for (QWidget* window : windows)
        if (window && window->objectName() == QLatin1String(name)) return window;
    return nullptr;
}

bool isOwnWindow(QObject* object) {
    if (!object->isWidgetType()) return false;
    const Qt::WindowType type = static_cast<QWidget*>(object)->windowType();
    return type == Qt::Window || type == Qt::Dialog;
}

// Searches the window's own controls (its menus included), not those of the dialogs it owns.
QObject* findComponent(QObject* parent, QLatin1String name) {
    for (QObject* child : parent->children()) {
        if (isOwnWindow(child)) continue;
        if (child->objectName() == name) return child;
        if (QObject* found = findComponent(child, name)) return found;
    }
    return nullptr;
}

QObject* componentOf(QWidget* window, const char* component) {
    if (!component) return window;
    return findComponent(window, QLatin1String(component));
}

// A page of a tab widget is labelled by its tab.
bool setTabCaption(QWidget* page, const QString& text) {
    for (QWidget* parent = page->parentWidget(); parent; parent = parent->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(parent)) {
            const int index = tabs->indexOf(page);
            if (index < 0) return false;
            tabs->setTabText(index, text);
            return true;
        }
    }
    return false;
}

void setCaption(QObject* target, bool isWindow, const QString& text) {
    if (auto* menu = qobject_cast<QMenu*>(target))
        menu->setTitle(text);
    else if (auto* action = qobject_cast<QAction*>(target))
        action->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(target))
        button->setText(text);
    else if (auto* label = qobject_cast<QLabel*>(target))
        label->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(target))
        group->setTitle(text);
    else if (auto* widget = qobject_cast<QWidget*>(target)) {
        if (isWindow || !setTabCaption(widget, text)) widget->setWindowTitle(text);
    }
}

void setHint(QObject* target, const QString& text) {
    if (auto* action = qobject_cast<QAction*>(target)) {
        action->setToolTip(text);
        action->setStatusTip(text);
    } else if (auto* widget = qobject_cast<QWidget*>(target)) {
        widget->setToolTip(text);
        widget->setStatusTip(text);
    }
}

template <typename Row>
void writeRow(const Row& row, const QList<QWidget*>& windows, const QString& text) {
    QWidget* window = windowNamed(windows, row.window);
    if (!window) return;
    QObject* target = componentOf(window, row.component);
    if (!target) return;
    if (row.label == Label::Hint)
        setHint(target, text);
    else
        setCaption(target, row.component == nullptr, text);
}

template <typename Row>
void addUnresolved(const Row& row, const QList<QWidget*>& windows, QStringList& missing) {
    QWidget* window = windowNamed(windows, row.window);
    if (!window || !componentOf(window, row.component))
        missing << QLatin1String(row.window) + QLatin1Char('.') +
                       QLatin1String(row.component ? row.component : "");
}

} // namespace

void applyLanguageRows(const LanguageTable& language, const QList<QWidget*>& windows) {
    for (const LanguageRow& row : Rows)
        writeRow(row, windows, QString::fromStdString(language.entry(row.line)));
}

void applyOwnTexts(InterfaceLanguage language, const QList<QWidget*>& windows) {
    for (const OwnTextRow& row : OwnRows)
        writeRow(row, windows, QString::fromStdString(ownText(*row.text, language)));
}

QStringList unresolvedLanguageRows(const QList<QWidget*>& windows) {
    QStringList missing;
    for (const LanguageRow& row : Rows)
        addUnresolved(row, windows, missing);
    for (const OwnTextRow& row : OwnRows)
        addUnresolved(row, windows, missing);
    return missing;
}

} // namespace quelmar
