// The grower-data step driven as a user would: loading, the nine delivery
// slots, the required fields, the order-file rules, saving and its failures,
// the save question and the product-line mode.
#include "appstate.h"
#include "frmbedrijfgeg.h"
#include "frmmain.h"
#include "general.h"
#include "programfixture.h"
#include "stepwindows.h"
#include "ui/dialogs.h"
#include "wizard.h"
#include "zelvorageneral.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QtTest>

class TestFrmBedrijfGeg : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramFixture> m_program;

    Database& dbT() const { return *appState().dbT; }
    qint32 grower() const { return appState().ID_ALG_Tuinder; }

    frmBedrijfGeg* window() const { return qobject_cast<frmBedrijfGeg*>(OpenStepWindow("frmBedrijfGeg")); }

    frmBedrijfGeg* openFromMenu()
    {
        return qobject_cast<frmBedrijfGeg*>(m_program->openFromMenu("mnu2", "frmBedrijfGeg"));
    }

    QLineEdit* box(int index) const
    {
        return window()->findChild<QLineEdit*>("txtBedrijfGeg_" + QString::number(index));
    }
    QComboBox* list(int index) const
    {
        return window()->findChild<QComboBox*>("cboBedrijfGeg_" + QString::number(index));
    }
    bool frameShown(int index) const
    {
        const auto* frame = window()->findChild<QGroupBox*>("fraBedrijfGeg_" + QString::number(index));
        return frame->isVisibleTo(window());
    }
    bool marked(int index) const { return box(index)->palette().color(QPalette::Base) == QColor(255, 255, 0); }

    void type(int index, const QString& text)
    {
        box(index)->clear();
        QTest::keyClicks(box(index), text);
    }

    void press(int index)
    {
        window()->cmdControl[index]->click();
        QCoreApplication::processEvents();
    }

    void fillGrower()
    {
        type(0, "K-1042");
        type(1, "Kwekerij 't Hof");
        type(2, "Naaldwijkseweg 12");
        type(3, "2691 RC");
        type(4, "'s-Gravenzande");
        list(5)->setCurrentIndex(11); // NL Netherlands
    }

    QString ini(const QString& key) const
    {
        return GetIniString("Algemeen", key, appState().AppPath + "Zelvora.ini", "");
    }
    void setIni(const QString& key, QString value) const
    {
        WriteIniString(value, "Algemeen", key, appState().AppPath + "Zelvora.ini");
    }

    RecordSet growerRow() const { return dbT().openRecordset("SELECT * FROM ALG_Tuinder WHERE ID = ?", {grower()}); }

    // Code, ID and name of every delivery address of the grower, in code order.
    QList<QList<QVariant>> addresses() const
    {
        RecordSet rs = dbT().openRecordset("SELECT Code_Afleveradres, ID, AfleverAdres, Adres FROM ALG_Afleveradres "
                                           "WHERE ID_ALG_Tuinder = ? ORDER BY Code_Afleveradres, ID",
                                           {grower()});
        QList<QList<QVariant>> out;
        for (int row = 0; row < rs.recordCount(); ++row) {
            rs.move(row);
            out << QList<QVariant>{rs.value(0).toInt(), rs.value(1).toLongLong(), rs.value(2).toString(),
                                   rs.value(3).toString()};
        }
        return out;
    }

    // One column of the address at that place of the code order; empty when there is none.
    QVariant addressValue(int place, int column) const { return addresses().value(place).value(column); }

    qint64 addAddress(int code, const QString& name, const QString& street)
    {
        dbT().execute("INSERT INTO ALG_Afleveradres (ID_ALG_Tuinder, Code_Afleveradres, AfleverAdres, Adres) "
                      "VALUES (?, ?, ?, ?)",
                      {grower(), code, name, street});
        return dbT().lastInsertRowId();
    }

    // A grower whose data are complete and whose first address is chosen, as after a first save.
    void completeGrower()
    {
        QVERIFY(openFromMenu());
        fillGrower();
        press(0);
        QVERIFY(!window());
        // The wizard goes on to the fertiliser step, which these tests leave.
        if (QWidget* next = OpenStepWindow("frmMeststoffen"))
            next->parentWidget()->close();
        QCoreApplication::processEvents();
        MessageBox::clear();
    }

private slots:
    void initTestCase() { RegisterStepWindows(); }

    void init()
    {
        m_program = std::make_unique<ProgramFixture>();
        setIni("MixoraWaardig", "0");
    }

    void cleanup() { m_program.reset(); }

    void aNewGrowerIsFilledInSavedAndFoundAgain()
    {
        frmBedrijfGeg* w = openFromMenu();
        QVERIFY(w);
        QVERIFY(m_program->main()->tool("mnu2")->isEnabled());
        QVERIFY(!m_program->main()->tool("mnu8")->isEnabled());
        QCOMPARE(w->windowTitle(), GetLangStr(20000000));

        // The empty grower gets its nine slots; the first is chosen, so the window counts as changed.
        const auto rows = addresses();
        QCOMPARE(rows.size(), 9);
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(rows[i][0].toInt(), i + 1);
            QCOMPARE(rows[i][2].toString(), GetLangStr(20102000) + " " + QString::number(i + 1));
        }
        QCOMPARE(list(0)->count(), 9);
        QCOMPARE(list(0)->currentData().toLongLong(), rows[0][1].toLongLong());
        QCOMPARE(box(20)->text(), rows[0][2].toString());
        QVERIFY(w->changed());
        // The default grower's dealer is shown, read-only.
        QCOMPARE(box(30)->text(), QString("Test handel"));
        QVERIFY(box(30)->isReadOnly() && box(5)->isReadOnly());
        QCOMPARE(list(5)->currentIndex(), -1);

        fillGrower();
        QCOMPARE(box(5)->text(), QString("NL"));
        press(0);
        QVERIFY(!window());
        QVERIFY(MessageBox::shown().isEmpty());

        RecordSet row = growerRow();
        QCOMPARE(row.value("relNR").toString(), QString("K-1042"));
        QCOMPARE(row.value("Naam").toString(), QString("Kwekerij 't Hof"));
        QCOMPARE(row.value("woonplaats").toString(), QString("'s-Gravenzande"));
        QCOMPARE(row.value("land").toString(), QString("NL"));
        QCOMPARE(row.value("Telefoon").toString(), QString());
        QCOMPARE(row.value("ID_ALG_Afleveradres").toLongLong(), rows[0][1].toLongLong());
        QCOMPARE(row.value("Code_ALG_Handelaar").toInt(), 1);

        // After the grower database is opened again the data come back unchanged.
        OpenTuinderDb();
        w = openFromMenu();
        QCOMPARE(box(1)->text(), QString("Kwekerij 't Hof"));
        QCOMPARE(box(4)->text(), QString("'s-Gravenzande"));
        QCOMPARE(box(5)->text(), QString("NL"));
        QVERIFY(!w->changed());
        QCOMPARE(addresses(), rows);
        press(1);
        QVERIFY(!window());
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void requiredFieldsAreMarked()
    {
        openFromMenu();
        // Each of boxes 0 to 5 in turn is the first empty one.
        for (int empty = 0; empty <= 5; ++empty) {
            fillGrower();
            box(empty)->clear();
            for (int button : {0, 1, 2}) {
                press(button);
                QVERIFY(window());
                QVERIFY2(marked(empty), qPrintable(QString::number(empty)));
            }
            for (int other = 0; other <= 5; ++other)
                if (other != empty)
                    QVERIFY(!marked(other));
        }
        QVERIFY(MessageBox::shown().isEmpty());
        // Choosing a country takes the mark away; a blank counts as content.
        list(5)->setCurrentIndex(0);
        QVERIFY(!marked(5));
        type(3, " ");
        press(0);
        QVERIFY(!window());
    }

    void theDeliveryAddressIsRequiredOnlyInProductLineMode()
    {
        openFromMenu();
        fillGrower();
        for (int i = 21; i <= 24; ++i)
            QVERIFY(box(i)->text().isEmpty());
        QTest::keyClick(box(1), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(frameShown(1));
        press(0);
        QVERIFY(window());
        QVERIFY(marked(21));
        type(21, "Kasweg 3");
        type(22, "2691 AB");
        press(0);
        QVERIFY(marked(23));
        type(23, "Monster");
        list(24)->setCurrentIndex(5); // GB United Kingdom
        QCOMPARE(box(24)->text(), QString("GB"));
        press(0);
        QVERIFY(!window());
        QCOMPARE(addressValue(0, 3).toString(), QString("Kasweg 3"));

        // Switched off again, an empty delivery address does not stop the wizard.
        openFromMenu();
        QTest::keyClick(box(1), Qt::Key_M, Qt::ControlModifier);
        QVERIFY(!frameShown(1));
        box(21)->clear();
        press(0);
        QVERIFY(!window());
    }

    void productLineModeToggles()
    {
        setIni("MixoraWaardig", "2");
        openFromMenu();
        QVERIFY(frameShown(0));
        QVERIFY(!frameShown(1) && !frameShown(2));
        const QString name = box(1)->text();

        QTest::keyClick(box(0), Qt::Key_M, Qt::ControlModifier);
        QCOMPARE(ini("MixoraWaardig"), QString("1"));
        QVERIFY(frameShown(1) && frameShown(2));
        QTest::keyClick(box(0), Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(ini("MixoraWaardig"), QString("1"));
        QVERIFY(frameShown(1));
        QTest::keyClick(box(0), Qt::Key_M, Qt::ControlModifier);
        QCOMPARE(ini("MixoraWaardig"), QString("0"));
        QVERIFY(!frameShown(1) && !frameShown(2));
        QCOMPARE(box(1)->text(), name);

        // A later opening follows the stored mode.
        setIni("MixoraWaardig", "1");
        m_program->closeChildWindows();
        openFromMenu();
        QVERIFY(frameShown(1) && frameShown(2));
    }

    void brokenSlotsArePutRight()
    {
        const qint64 first = addAddress(1, "Hoofdkas", "Kasweg 1");
        const qint64 three = addAddress(3, "Achterkas", "Kasweg 3");
        addAddress(3, "Dubbel", "Elders 3");
        addAddress(12, "Te hoog", "Elders 12");
        dbT().execute("INSERT INTO ALG_Afleveradres (ID_ALG_Tuinder, AfleverAdres) VALUES (?, 'Zonder code')",
                      {grower()});
        dbT().execute("UPDATE ALG_Tuinder SET ID_ALG_Afleveradres = ? WHERE ID = ?", {three, grower()});

        frmBedrijfGeg* w = openFromMenu();
        const auto rows = addresses();
        QCOMPARE(rows.size(), 9);
        for (int i = 0; i < 9; ++i)
            QCOMPARE(rows[i][0].toInt(), i + 1);
        QCOMPARE(rows[0], (QList<QVariant>{1, first, "Hoofdkas", "Kasweg 1"}));
        QCOMPARE(rows[2], (QList<QVariant>{3, three, "Achterkas", "Kasweg 3"}));
        QCOMPARE(rows[1][2].toString(), GetLangStr(20102000) + " 2");
        QCOMPARE(rows[8][2].toString(), GetLangStr(20102000) + " 9");

        // The stored choice is among the nine: it is shown and nothing counts as changed.
        QCOMPARE(list(0)->currentData().toLongLong(), three);
        QCOMPARE(box(21)->text(), QString("Kasweg 3"));
        QVERIFY(!w->changed());
        QVERIFY(MessageBox::shown().isEmpty());
    }

    void slotsThatCannotBeWrittenAreReported()
    {
        addAddress(1, "Hoofdkas", "Kasweg 1");
        addAddress(3, "Achterkas", "Kasweg 3");
        addAddress(3, "Dubbel", "Elders 3");
        const auto before = addresses();
        dbT().execute("CREATE TRIGGER geen_adressen BEFORE INSERT ON ALG_Afleveradres "
                      "BEGIN SELECT RAISE(ABORT, 'read-only'); END");

        QVERIFY(openFromMenu());
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY(MessageBox::last().text.startsWith(GetLangStr(999000067)));
        // Nothing half done: the deletion of the duplicate went back too.
        QCOMPARE(addresses(), before);
        QCOMPARE(list(0)->count(), 3);
    }

    void orderFileRulesGuardTheSave()
    {
        completeGrower();
        setIni("MixoraWaardig", "1");
        openFromMenu();
        type(21, "Kasweg 1");
        type(22, "2691 AB");
        type(23, "Monster");
        list(24)->setCurrentIndex(11);

        for (const QString bad : {"K 1042", "K/1042", "K;1042", "K.1042", "Kwé"}) {
            MessageBox::clear();
            box(0)->setText(bad);
            press(0);
            QVERIFY(window());
            QCOMPARE(MessageBox::shown().size(), 1);
            QCOMPARE(MessageBox::last().text, GetLangStr(999000065));
            QVERIFY(marked(0));
            QCOMPARE(growerRow().value("relNR").toString(), QString("K-1042"));
        }
        type(0, "K_1042");

        // A ";" or a control character in any box that goes into the order.
        for (int index : {1, 8, 20, 26}) {
            for (const QString& bad : {QString("a;b"), QString("a\tb"), QString("a\nb")}) {
                MessageBox::clear();
                const QString good = box(index)->text();
                box(index)->setText(bad);
                press(0);
                QVERIFY(window());
                QCOMPARE(MessageBox::shown().size(), 1);
                QVERIFY(MessageBox::last().text.startsWith(GetLangStr(999000066)));
                QVERIFY(marked(index));
                box(index)->setText(good);
            }
        }
        QCOMPARE(growerRow().value("relNR").toString(), QString("K-1042"));
        MessageBox::clear();
        press(0);
        QVERIFY(!window());
        QCOMPARE(growerRow().value("relNR").toString(), QString("K_1042"));
    }

    void aFailedSaveIsRolledBackAndStays()
    {
        completeGrower();
        dbT().execute("CREATE TRIGGER vast BEFORE UPDATE ON ALG_Afleveradres "
                      "BEGIN SELECT RAISE(ABORT, 'locked'); END");
        frmBedrijfGeg* w = openFromMenu();
        type(1, "Nieuwe naam");
        press(0);
        QVERIFY(window());
        QCOMPARE(MessageBox::shown().size(), 1);
        QVERIFY(MessageBox::last().text.startsWith(GetLangStr(999000003) + "\n"));
        QCOMPARE(MessageBox::last().style & MsgBox::Critical, int(MsgBox::Critical));
        QCOMPARE(growerRow().value("Naam").toString(), QString("Kwekerij 't Hof"));
        QVERIFY(w->changed());

        // Closing asks again; a save that fails once more keeps the window open.
        MessageBox::clear();
        MessageBox::setNextAnswer(MsgBox::Yes);
        window()->parentWidget()->close();
        QCoreApplication::processEvents();
        QVERIFY(window());
        QCOMPARE(MessageBox::shown().size(), 2);
        QCOMPARE(MessageBox::shown().first().text, GetLangStr(999000019));

        dbT().execute("DROP TRIGGER vast");
        press(0);
        QVERIFY(!window());
        QCOMPARE(growerRow().value("Naam").toString(), QString("Nieuwe naam"));
    }

    void stopAsksOnceWhenChanged()
    {
        completeGrower();
        openFromMenu();
        press(1);
        QVERIFY(!window());
        QVERIFY(MessageBox::shown().isEmpty());

        for (int answer : {MsgBox::No, MsgBox::Yes}) {
            MessageBox::clear();
            openFromMenu();
            type(2, answer == MsgBox::Yes ? "Kasweg 8" : "Kasweg 7");
            MessageBox::setNextAnswer(answer);
            press(1);
            QVERIFY(!window());
            QCOMPARE(MessageBox::shown().size(), 1);
            QCOMPARE(MessageBox::last().text, GetLangStr(999000019));
            QVERIFY(m_program->main()->tool("mnu8")->isEnabled());
        }
        QCOMPARE(growerRow().value("Adres").toString(), QString("Kasweg 8"));
    }

    // Esc is Stop: a key that changes nothing is no edit to ask about.
    void escAsksOnlyAfterAnEdit()
    {
        completeGrower();
        QVERIFY(m_program->showMain());
        for (const QString typed : {"", "7"}) {
            MessageBox::clear();
            openFromMenu();
            QTRY_VERIFY(box(0)->hasFocus());
            TestSupport::typeText(typed);
            MessageBox::setNextAnswer(MsgBox::No);
            TestSupport::typeKey(Qt::Key_Escape);
            QVERIFY(!window());
            QCOMPARE(MessageBox::shown().size(), typed.isEmpty() ? 0 : 1);
        }
        QCOMPARE(MessageBox::last().text, GetLangStr(999000019));
        QCOMPARE(growerRow().value("relNR").toString(), QString("K-1042"));
    }

    // The keypad's Enter is Enter: on from a box as Tab, and a press of the focused button.
    void keypadEnterMovesOnAndPresses()
    {
        completeGrower();
        QVERIFY(m_program->showMain());
        openFromMenu();
        QTRY_VERIFY(box(0)->hasFocus());
        TestSupport::typeKey(Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(box(1)->hasFocus());
        for (int i = 0; i < 20 && QApplication::focusWidget() != window()->cmdControl[0]; ++i)
            TestSupport::typeKey(Qt::Key_Enter, Qt::KeypadModifier);
        TestSupport::typeKey(Qt::Key_Enter, Qt::KeypadModifier);
        QVERIFY(!window());
        QVERIFY(OpenStepWindow("frmMeststoffen"));
    }

    void choosingAnotherAddress()
    {
        completeGrower();
        setIni("MixoraWaardig", "1");
        const auto rows = addresses();
        QCOMPARE(rows.size(), 9);
        openFromMenu();

        // Yes stores the edit under the address it was made in.
        type(21, "Kasweg 1");
        MessageBox::setNextAnswer(MsgBox::Yes);
        list(0)->setCurrentIndex(1);
        QCOMPARE(MessageBox::last().text, GetLangStr(999000019));
        QCOMPARE(box(20)->text(), rows[1][2].toString());
        QCOMPARE(box(21)->text(), QString());
        QCOMPARE(addressValue(0, 3).toString(), QString("Kasweg 1"));

        // No drops it; either way the chosen address is shown.
        MessageBox::clear();
        type(21, "Kasweg 2");
        MessageBox::setNextAnswer(MsgBox::No);
        list(0)->setCurrentIndex(2);
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(box(20)->text(), rows[2][2].toString());
        QCOMPARE(addressValue(1, 3), QVariant(QString()));

        // Renaming shows in the list when the box is left.
        type(20, "Loods");
        QCOMPARE(list(0)->itemText(2), rows[2][2].toString());
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(box(20), &out);
        QCOMPARE(list(0)->itemText(2), QString("Loods"));

        // The choice of address goes into the grower row.
        type(21, "Loodsweg 1");
        type(22, "1234 AB");
        type(23, "Poeldijk");
        list(24)->setCurrentIndex(11);
        press(0);
        QVERIFY(!window());
        QCOMPARE(growerRow().value("ID_ALG_Afleveradres").toLongLong(), rows[2][1].toLongLong());
        QCOMPARE(addressValue(2, 2).toString(), QString("Loods"));
    }

    void theDealerCodeIsWrittenBackAsRead()
    {
        // An empty code is stored as no dealer.
        dbT().execute("UPDATE ALG_Tuinder SET Code_ALG_Handelaar = NULL WHERE ID = ?", {grower()});
        completeGrower();
        QVERIFY(!growerRow().value("Code_ALG_Handelaar").isNull());
        QCOMPARE(growerRow().value("Code_ALG_Handelaar").toInt(), 0);

        // A grower row that went while the window was open comes back with its dealer.
        dbT().execute("UPDATE ALG_Tuinder SET Code_ALG_Handelaar = 1 WHERE ID = ?", {grower()});
        openFromMenu();
        QCOMPARE(box(30)->text(), QString("Test handel"));
        dbT().execute("DELETE FROM ALG_Tuinder WHERE ID = ?", {grower()});
        type(1, "Kwekerij De Kas");
        press(0);
        QVERIFY(!window());
        QCOMPARE(growerRow().value("Naam").toString(), QString("Kwekerij De Kas"));
        QCOMPARE(growerRow().value("Code_ALG_Handelaar").toInt(), 1);
    }

    void retryInTheLoadErrorLoadsAgain()
    {
        completeGrower();
        referenceDb().execute("ALTER TABLE ALG_Handelaar RENAME TO ALG_Handelaar_weg");
        // The user puts the reference database right and answers Retry.
        int asked = 0;
        DialogPresenters presenters;
        presenters.message = [&asked](const QString&, int style, const QString&) {
            ++asked;
            if ((style & 7) != MsgBox::RetryCancel)
                return int(MsgBox::Ok);
            referenceDb().execute("ALTER TABLE ALG_Handelaar_weg RENAME TO ALG_Handelaar");
            return int(MsgBox::Retry);
        };
        setDialogPresenters(presenters);
        MessageBox::setScripted(false);
        openFromMenu();
        MessageBox::setScripted(true);
        QCOMPARE(asked, 1);
        QVERIFY(MessageBox::last().text.startsWith("Nummer: "));
        QCOMPARE(box(30)->text(), QString("Test handel"));
        QCOMPARE(box(1)->text(), QString("Kwekerij 't Hof"));
        QVERIFY(!window()->changed());

        // Cancel gives the loading up: the error is asked about once.
        m_program->closeChildWindows();
        referenceDb().execute("ALTER TABLE ALG_Handelaar RENAME TO ALG_Handelaar_weg");
        MessageBox::clear();
        MessageBox::setNextAnswer(MsgBox::Cancel);
        QVERIFY(openFromMenu());
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(box(30)->text(), QString());
        referenceDb().execute("ALTER TABLE ALG_Handelaar_weg RENAME TO ALG_Handelaar");
    }

    void onlyTheBoxWithTheFocusLooksSelected()
    {
        completeGrower();
        QVERIFY(m_program->showMain());
        openFromMenu();
        // Passing through a box before its text was selected leaves it unselected.
        box(1)->setFocus();
        QTest::keyClick(box(1), Qt::Key_Tab);
        QTRY_VERIFY(box(2)->hasSelectedText());
        QCoreApplication::processEvents();
        QVERIFY(!box(1)->hasSelectedText());
    }

    // The country boxes show the code chosen from the list beside them: Tab
    // passes them by, so what is typed next lands in the next box.
    void tabPassesTheCountryBoxesBy()
    {
        setIni("MixoraWaardig", "1");
        QVERIFY(m_program->showMain());
        openFromMenu();
        for (auto [country, next] : {std::pair{5, 6}, {24, 25}}) {
            list(country)->setFocus();
            QTRY_VERIFY(list(country)->hasFocus());
            QTest::keyClick(list(country), Qt::Key_Tab);
            QVERIFY(box(next)->hasFocus());
            QTest::keyClicks(QApplication::focusWidget(), "12");
            QCOMPARE(box(next)->text(), QString("12"));
            QTest::keyClick(box(next), Qt::Key_Backtab, Qt::ShiftModifier);
            QVERIFY(list(country)->hasFocus());
        }
    }

    // Tab goes round the step through every box that takes typing once, in the
    // order they stand, then the buttons; Shift+Tab the same way back. A box
    // that only shows, or that is hidden, takes no stop.
    void tabGoesRoundEveryEditableFieldOnce()
    {
        QVERIFY(m_program->showMain());
        for (const bool productLine : {false, true}) {
            setIni("MixoraWaardig", productLine ? "1" : "0");
            m_program->closeChildWindows();
            frmBedrijfGeg* w = openFromMenu();
            QTRY_VERIFY(box(0)->hasFocus());
            QStringList expected;
            for (int i : {0, 1, 2, 3, 4})
                expected << box(i)->objectName();
            expected << list(5)->objectName();
            for (int i : {6, 7, 8, 9})
                expected << box(i)->objectName();
            if (productLine) {
                expected << list(0)->objectName();
                for (int i : {20, 21, 22, 23})
                    expected << box(i)->objectName();
                expected << list(24)->objectName() << box(25)->objectName() << box(26)->objectName();
            }
            for (int i : {0, 1, 2})
                expected << w->cmdControl[i]->objectName();

            // One round each way, from the first box until it comes back there.
            QStringList forward, back;
            for (QWidget* at = box(0); forward.size() < 40 && (forward.isEmpty() || at != box(0));) {
                QVERIFY(at);
                QVERIFY2(at->isVisible() && at->isEnabled(), qPrintable(at->objectName()));
                const auto* edit = qobject_cast<QLineEdit*>(at);
                QVERIFY2(!edit || !edit->isReadOnly(), qPrintable(at->objectName()));
                forward << at->objectName();
                TestSupport::typeKey(Qt::Key_Tab);
                at = QApplication::focusWidget();
            }
            QCOMPARE(forward, expected);
            do {
                TestSupport::typeKey(Qt::Key_Backtab, Qt::ShiftModifier);
                QVERIFY(QApplication::focusWidget());
                back.prepend(QApplication::focusWidget()->objectName());
            } while (back.size() < 40 && QApplication::focusWidget() != box(0));
            QCOMPARE(back, expected);
        }
    }

    void aStoredAddressOfNobodyIsReplaced()
    {
        dbT().execute("UPDATE ALG_Tuinder SET ID_ALG_Afleveradres = 4711, Code_ALG_Handelaar = 99 WHERE ID = ?",
                      {grower()});
        frmBedrijfGeg* w = openFromMenu();
        const auto rows = addresses();
        QCOMPARE(rows.size(), 9);
        QCOMPARE(list(0)->currentData().toLongLong(), rows[0][1].toLongLong());
        QVERIFY(w->changed());
        QCOMPARE(box(30)->text(), QString()); // a dealer code that is not there shows nothing

        MessageBox::setNextAnswer(MsgBox::Yes);
        window()->parentWidget()->close();
        QCoreApplication::processEvents();
        QVERIFY(!window());
        QCOMPARE(growerRow().value("ID_ALG_Afleveradres").toLongLong(), rows[0][1].toLongLong());
        QCOMPARE(growerRow().value("Code_ALG_Handelaar").toInt(), 99);
    }
};

QTEST_MAIN(TestFrmBedrijfGeg)
#include "test_frmbedrijfgeg.moc"
