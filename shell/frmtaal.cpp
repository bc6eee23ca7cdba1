#include "frmtaal.h"

#include "appstate.h"
#include "general.h"
#include "ini/inifile.h"
#include "programsettings.h"
#include "qtlanguage.h"
#include "registry/registry.h"
#include "windowhelpers.h"
#include "wizard.h"
#include "zelvorageneral.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QValidator>

namespace {

// The boxes hold one line of the settings file: a pasted line break would
// otherwise be refused there, and the setting lost. It becomes a space, as
// in the texts of the order file; so does a tab or another control.
class OneLine : public QValidator {
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override
    {
        QString line;
        line.reserve(input.size());
        int cursor = pos;
        for (qsizetype i = 0; i < input.size(); ++i) {
            const QChar c = input[i];
            if (c == '\r' && i + 1 < input.size() && input[i + 1] == '\n') {
                if (i < pos)
                    --cursor;
                continue; // CR LF is one break, one space
            }
            line += IniFile::breaksLine(c) ? QChar(' ') : c;
        }
        input = line;
        pos = cursor;
        return Acceptable;
    }
};

} // namespace

frmTaal::frmTaal(QWidget* parent) : QWidget(parent)
{
    setObjectName("frmTaal");
    setAttribute(Qt::WA_DeleteOnClose);
    setProperty("menuToolKey", "mnu1"); // only the settings tool stays on while it is active
    setWindowTitle("Language");

    fraTaal = new QGroupBox(this);
    fraTaal->setObjectName("fraTaal");
    auto* grid = new QGridLayout(fraTaal);
    for (int i = 0; i < 2; ++i)
        cboTaal.add(i, new QComboBox(fraTaal));
    for (int i = 0; i < 2; ++i) {
        txtTaal.add(i, new QLineEdit(fraTaal));
        txtTaal[i]->setValidator(new OneLine(txtTaal[i]));
    }
    optTaal.add(0, new QRadioButton("SMTP", fraTaal));
    optTaal.add(1, new QRadioButton("MAPI", fraTaal));
    lbltaal.add(0, new QLabel("MailServerType", fraTaal));
    lbltaal.add(1, new QLabel("SMTP-server", fraTaal));
    lbltaal.add(
        2, new QLabel("After you change the Settings you have to restart the program for the changes to take effect",
                      fraTaal));
    lbltaal.add(3, new QLabel("Advisor", fraTaal));
    lbltaal.add(100, new QLabel("No default mail program", fraTaal));
    lbltaal[2]->setWordWrap(true);
    lbltaal[100]->hide();
    // The warning and the server's label come and go with the mail type; the
    // room they take stays, or every box below them would move away from
    // under the pointer between two clicks.
    for (int i : {1, 100}) {
        QSizePolicy keep = lbltaal[i]->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        lbltaal[i]->setSizePolicy(keep);
    }

    grid->addWidget(cboTaal[0], 0, 0, 1, 2);
    grid->addWidget(cboTaal[1], 1, 0, 1, 2);
    grid->addWidget(lbltaal[0], 2, 0);
    grid->addWidget(optTaal[0], 3, 0);
    grid->addWidget(optTaal[1], 3, 1);
    grid->addWidget(lbltaal[1], 4, 0);
    grid->addWidget(txtTaal[0], 4, 1);
    grid->addWidget(lbltaal[100], 5, 0, 1, 2);
    grid->addWidget(lbltaal[3], 6, 0);
    grid->addWidget(txtTaal[1], 6, 1);
    grid->addWidget(lbltaal[2], 7, 0, 1, 2);
    fraTaal->setFixedWidth(420);
    fitFrame();

    cmdTaal = new QPushButton("close", this);
    cmdTaal->setObjectName("cmdTaal");
    connectAction(cmdTaal, &QPushButton::clicked, this, [this] { cmdTaal_Click(); });
    // Tab follows the frame from top to bottom, then the close button.
    const QList<QWidget*> order{cboTaal[0], cboTaal[1], optTaal[0], optTaal[1], txtTaal[0], txtTaal[1], cmdTaal};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    for (int i = 0; i < 2; ++i) {
        connectAction(cboTaal[i], &QComboBox::currentIndexChanged, this, [this, i] { cboTaal_Click(i); });
        connectAction(optTaal[i], &QRadioButton::clicked, this, [this, i] { optTaal_Click(i); });
    }
    Form_Load();
}

void frmTaal::Form_Load()
{
    ShowStatusLang(MainWindow(), -1);
    AppState& s = appState();
    m_loadedLanguage = s.languageID;
    m_loadedUnit = s.UnitID;
    // Filling a list selects its first entry; that is no choice of the user's
    // and must not replace the language or unit in use.
    const QSignalBlocker languages(cboTaal[0]);
    const QSignalBlocker units(cboTaal[1]);
    cboTaal[0]->clear();
    // Without the language list the current language stays.
    cboTaal[0]->addItems(LanguageNames());
    cboTaal[0]->setCurrentIndex(s.languageID < cboTaal[0]->count() ? s.languageID : -1);
    cboTaal[1]->clear();
    cboTaal[1]->addItems({"mmol", "meq", "mgr", "ppm"});
    cboTaal[1]->setCurrentIndex(s.UnitID >= 0 && s.UnitID < 4 ? s.UnitID : -1);
    ReadMailSettings();
    m_loading = false;
    ShowStatusLang(MainWindow(), 0);
}

void frmTaal::ReadMailSettings()
{
    txtTaal[0]->setText(ProgramSettings::smtpServerName());
    const int type = ProgramSettings::mailType();
    if (type == 0 || type == 1) {
        optTaal[type]->setChecked(true);
        optTaal_Click(type);
    }
    txtTaal[1]->setText(ProgramSettings::advisor());
}

void frmTaal::cboTaal_Click(int index)
{
    const int position = cboTaal[index]->currentIndex();
    if (position < 0)
        return;
    if (index == 0) {
        appState().languageID = qint16(position);
        OpenRsLang();
        SetQtLanguage(appState().languageID);
    } else {
        appState().UnitID = qint16(position);
    }
}

void frmTaal::fitFrame()
{
    // The frame is placed by hand, not by a layout of the window: its height
    // follows what it holds at its fixed width (the restart notice takes two
    // lines, the warning one whether shown or not), or its lines are squeezed.
    fraTaal->setFixedHeight(fraTaal->heightForWidth(fraTaal->width()));
}

void frmTaal::optTaal_Click(int index)
{
    if (index == 0) {
        lbltaal[100]->hide();
        txtTaal[0]->setEnabled(true);
        lbltaal[1]->show();
        return;
    }
    txtTaal[0]->setEnabled(false);
    lbltaal[1]->hide();
    const QString command = GetRegString(Registry::mailtoCommandKey(), "", HKEY_LOCAL_MACHINE);
    if (command.isEmpty() || command.contains("rundll32", Qt::CaseInsensitive))
        lbltaal[100]->show();
}

void frmTaal::SaveSettings()
{
    // Language and unit are written only when the user chose another one, so
    // a value the program could not use (and fell back from) stays in the file.
    const AppState& s = appState();
    bool opgeslagen = true;
    if (s.languageID != m_loadedLanguage)
        opgeslagen &= ProgramSettings::setLanguageID(s.languageID);
    if (s.UnitID != m_loadedUnit)
        opgeslagen &= ProgramSettings::setUnitID(s.UnitID);
    opgeslagen &= ProgramSettings::setSmtpServerName(txtTaal[0]->text());
    opgeslagen &= ProgramSettings::setMailType(optTaal[0]->isChecked() ? 0 : 1);
    opgeslagen &= ProgramSettings::setAdvisor(txtTaal[1]->text());
    InstellingenOpgeslagen(opgeslagen);
}

void frmTaal::cmdTaal_Click()
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        sub->close();
    else
        close();
}

void frmTaal::keyPressEvent(QKeyEvent* event)
{
    // Esc closes, as the close button does; the settings are written either way.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        cmdTaal_Click();
    else if (!PressOnEnter(focusWidget(), event))
        QWidget::keyPressEvent(event);
}

void frmTaal::closeEvent(QCloseEvent* event)
{
    SaveSettings();
    event->accept();
    MenuAfterWindowClosed();
}

void frmTaal::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void frmTaal::placeControls()
{
    if (isMinimized() || (MainWindow() && MainWindow()->isMinimized()))
        return;
    const QSize outer = OuterSize(this);
    fraTaal->move((outer.width() - fraTaal->width()) / 2 - twips(60),
                  (outer.height() - fraTaal->height()) / 2 - twips(450));
    cmdTaal->move((outer.width() - cmdTaal->width()) / 2, fraTaal->y() + fraTaal->height() + twips(120));
}
