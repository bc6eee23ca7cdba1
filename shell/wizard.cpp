#include "wizard.h"

#include "frmmain.h"
#include "stepwindow.h"
#include "ui/dialogs.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QHash>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {

QHash<QString, StepFactory>& factories()
{
    static QHash<QString, StepFactory> f;
    return f;
}

qint16 setting(const char* name)
{
    return qint16(NzValue(GetTeeltInstelling(name, InstellingMode::Number), NzType::Integer).toInt());
}

// Rule D: the drain step is needed unless the crop does not recirculate and
// the adjustment is typed by hand.
bool drainStepNeeded()
{
    const qint16 t = setting("TeeltSysteem");
    const qint16 a = setting("Aanpassing");
    return !(t != 2 && t != 3 && a != 0 && a != 2);
}

void show(const char* name)
{
    ShowStepWindow(name);
}

} // namespace

qint16& ElementType()
{
    static qint16 page = 0;
    return page;
}

bool GaNaarStap(StepWindow* window, qint16 index, bool& changed)
{
    if (index == 1) {
        if (AskSaveChanges(changed) == MsgBox::Yes && !window->s_Save())
            return false;
        changed = false;
        SetHoofdMenuAan("all_on");
        return true;
    }
    if (index != 0 && index != 2)
        return true;
    if (!window->s_Save())
        return false;

    const QString name = window->metaObject()->className();
    const bool forward = index == 0;
    if (name == "frmBedrijfGeg") {
        if (forward) {
            ElementType() = 0;
            show("frmMeststoffen");
        } else {
            SetHoofdMenuAan("all_on");
        }
    } else if (name == "frmMeststoffen") {
        if (ElementType() == 0) {
            if (forward)
                ElementType() = 1; // the window shows its micro page itself
            else
                show("frmBedrijfGeg");
        } else {
            if (forward)
                show("frmTeelt");
            else
                ElementType() = 0;
        }
    } else if (name == "frmTeelt") {
        show(forward ? "frmWater" : "frmMeststoffen");
    } else if (name == "frmWater") {
        if (forward)
            show(drainStepNeeded() ? "frmDrain" : "frmAdvies");
        else
            show("frmTeelt");
    } else if (name == "frmDrain") {
        show(forward ? "frmAdvies" : "frmWater");
    } else if (name == "frmAdvies") {
        if (forward) {
            const qint16 e = setting("ExtraBigBag");
            if (e == 1)
                show("frmExtraBigBag");
            else if (e == 0)
                show("frmSamenstel");
        } else {
            show(drainStepNeeded() ? "frmDrain" : "frmWater");
        }
    } else if (name == "frmExtraBigBag") {
        show(forward ? "frmSamenstel" : "frmAdvies");
    } else if (name == "frmSamenstel") {
        if (forward) {
            show("frmMailPrint");
        } else {
            const qint16 e = setting("ExtraBigBag");
            if (e == 1)
                show("frmExtraBigBag");
            else if (e == 0)
                show("frmAdvies");
        }
    } else if (name == "frmMailPrint") {
        if (forward)
            SetHoofdMenuAan("all_on");
        else
            show("frmSamenstel");
    } else if (name == "frmEigenTeelt") {
        SetHoofdMenuAan("all_on");
    }
    return true;
}

void SetHoofdMenuAan(const QString& key)
{
    if (auto* main = qobject_cast<frmMain*>(MainWindow()))
        main->setMenuTools(key);
}

void MenuAfterWindowClosed()
{
    SetHoofdMenuAan("all_on");
    if (auto* main = qobject_cast<frmMain*>(MainWindow()))
        QMetaObject::invokeMethod(main, &frmMain::menuForActiveWindow, Qt::QueuedConnection);
}

void RegisterStepWindow(const QString& className, StepFactory factory)
{
    factories().insert(className, std::move(factory));
}
bool HasStepWindow(const QString& className)
{
    return factories().contains(className);
}

QWidget* OpenStepWindow(const QString& className)
{
    auto* main = qobject_cast<frmMain*>(MainWindow());
    if (!main)
        return nullptr;
    for (QMdiSubWindow* sub : main->mdiArea()->subWindowList())
        if (sub->widget() && className == sub->widget()->metaObject()->className())
            return sub->widget();
    return nullptr;
}

QWidget* ShowStepWindow(const QString& className)
{
    auto* main = qobject_cast<frmMain*>(MainWindow());
    if (!main)
        return nullptr;
    if (QWidget* open = OpenStepWindow(className)) {
        auto* sub = qobject_cast<QMdiSubWindow*>(open->parentWidget());
        if (sub) {
            sub->showMaximized();
            main->mdiArea()->setActiveSubWindow(sub);
            main->menuForActiveWindow();
        }
        return open;
    }
    const auto it = factories().constFind(className);
    if (it == factories().constEnd())
        return nullptr;
    QWidget* w = (*it)();
    if (!w)
        return nullptr;
    QMdiSubWindow* sub = main->mdiArea()->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(main->windowIcon());
    sub->showMaximized();
    main->mdiArea()->setActiveSubWindow(sub);
    main->menuForActiveWindow();
    return w;
}
