#include "frmselecttuinder.h"

#include "appstate.h"
#include "general.h"
#include "ui/dialogs.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <cstdio>

frmSelectTuinder::frmSelectTuinder(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmSelectTuinder");
    setModal(true);
    ShowStatusLang(MainWindow(), -1);
    if (QWidget* main = MainWindow())
        setWindowIcon(main->windowIcon());
    lstSelectTuinder = new QListWidget(this);
    lstSelectTuinder->setObjectName("lstSelectTuinder");
    auto* buttons = new QHBoxLayout;
    for (int i = 0; i < 2; ++i) {
        auto* b = cmdSelectTuinder.add(i, new QPushButton(this));
        buttons->addWidget(b);
        connectAction(b, &QPushButton::clicked, this, [this, i] { cmdSelectTuinder_Click(i); });
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lstSelectTuinder);
    layout->addLayout(buttons);
    connectAction(lstSelectTuinder, &QListWidget::itemDoubleClicked, this, [this] { KiesBestand(); });
    refreshList();
    SetTeksten();
    ShowStatusLang(MainWindow(), 0);
}

void frmSelectTuinder::refreshList()
{
    lstSelectTuinder->clear();
    QDir dir(appState().AppPath);
    const QStringList files = dir.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase);
    for (const QString& f : files)
        if (f.endsWith("T.mdb", Qt::CaseInsensitive))
            lstSelectTuinder->addItem(f);
    // Open without a choice keeps the current grower database: it is the row
    // shown chosen, not the first row that the list marks when it takes the
    // keyboard and that Open would not open.
    const QList<QListWidgetItem*> current = lstSelectTuinder->findItems(appState().TDatabaseNaam, Qt::MatchExactly);
    if (!current.isEmpty())
        lstSelectTuinder->setCurrentItem(current.first());
}

void frmSelectTuinder::SetTeksten()
{
    SetCaptionLang(this, 110000000);
    for (int i = 0; i < 2; ++i)
        SetCaptionLang(cmdSelectTuinder, i, 110400000 + 100 * i);
}

void frmSelectTuinder::KiesBestand()
{
    QListWidgetItem* item = lstSelectTuinder->currentItem();
    m_fileName = item && item->isSelected() ? item->text() : QString();
    accept();
}

void frmSelectTuinder::cmdSelectTuinder_Click(int index)
{
    if (index == 0)
        KiesBestand();
    else
        newDatabase();
}

void frmSelectTuinder::newDatabase()
{
    const AppState& s = appState();
    const QString name = InputBox::show(GetLangStr(999000036)).trimmed();
    if (name.isEmpty())
        return;
    // The name becomes a file in the program's directory: no folders, no way out of it.
    if (name.contains('/') || name.contains('\\') || name.contains("..") || name.startsWith('.')) {
        MessageBox::show(GetLangStr(999000034) + "\n" + GetLangStr(999000062), MsgBox::Critical);
        return;
    }
    const QString source = s.AppPath + s.TDatabaseNaam;
    const QString target = s.AppPath + name + "T.mdb";
    if (QFileInfo(target).absoluteFilePath() == QFileInfo(source).absoluteFilePath()) {
        MessageBox::show(GetLangStr(999000034) + "\n" + GetLangStr(999000064), MsgBox::Critical);
        return;
    }
    if (QFileInfo::exists(target) &&
        MessageBox::show(GetLangStr(999000063) + "\n" + name + "T.mdb",
                         MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2) != MsgBox::Yes)
        return;
    try {
        // Opening and closing folds a log left behind by a crash back into the file.
        {
            Database fold(source);
        }
        const QString temporary = target + ".copying";
        QFile::remove(temporary);
        if (!QFile::copy(source, temporary))
            throw AppError(JetError::FileNotFound, "frmSelectTuinder", source);
        QFile::remove(target + "-wal");
        QFile::remove(target + "-shm");
        // Replaces an earlier file of that name in one step.
        if (std::rename(QFile::encodeName(temporary).constData(), QFile::encodeName(target).constData()) != 0) {
            QFile::remove(temporary);
            throw AppError(JetError::ReadOnly, "frmSelectTuinder", target);
        }
    } catch (const AppError& e) {
        MessageBox::show(GetLangStr(999000034) + "\n" + e.description(), MsgBox::Critical);
        return;
    }
    refreshList();
}
