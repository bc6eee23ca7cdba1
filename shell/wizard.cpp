#include "wizard.h"

#include "appstate.h"
#include "general.h"
#include "stephost.h"
#include "stepwindow.h"
#include "ui/dialogs.h"
#include "windowhelpers.h"
#include "windowroom.h"
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

StepHost* CurrentStepHost()
{
    return dynamic_cast<StepHost*>(MainWindow());
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
    if (window->kind() == StepWindow::Kind::MenuOnly || !window->s_Save())
        return false;

    const QString name = window->metaObject()->className();
    const bool forward = index == 0;
    if (name == "frmBedrijfGeg") {
        if (forward) {
            appState().ElementType = 0;
            show("frmMeststoffen");
        } else {
            SetHoofdMenuAan("all_on");
        }
    } else if (name == "frmMeststoffen") {
        // The window stays while it only turns its page.
        qint16& page = appState().ElementType;
        if (page == 0) {
            if (!forward) {
                show("frmBedrijfGeg");
                return true;
            }
            page = 1;
        } else {
            if (forward) {
                show("frmTeelt");
                return true;
            }
            page = 0;
        }
        return false;
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
        if (forward)
            show(setting("ExtraBigBag") == 1 ? "frmExtraBigBag" : "frmSamenstel");
        else
            show(drainStepNeeded() ? "frmDrain" : "frmWater");
    } else if (name == "frmExtraBigBag") {
        show(forward ? "frmSamenstel" : "frmAdvies");
    } else if (name == "frmSamenstel") {
        if (forward)
            show("frmMailPrint");
        else
            show(setting("ExtraBigBag") == 1 ? "frmExtraBigBag" : "frmAdvies");
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
    if (StepHost* host = CurrentStepHost())
        host->setMenuTools(key);
}

void MenuAfterWindowClosed()
{
    SetHoofdMenuAan("all_on");
    if (QWidget* main = MainWindow())
        QMetaObject::invokeMethod(
            main,
            [] {
                RunUserAction([] {
                    if (StepHost* host = CurrentStepHost())
                        host->menuForActiveWindow();
                });
            },
            Qt::QueuedConnection);
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
    StepHost* host = CurrentStepHost();
    if (!host)
        return nullptr;
    for (QMdiSubWindow* sub : host->mdiArea()->subWindowList())
        if (sub->widget() && className == sub->widget()->metaObject()->className())
            return sub->widget();
    return nullptr;
}

QWidget* ShowStepWindow(const QString& className)
{
    StepHost* host = CurrentStepHost();
    if (!host)
        return nullptr;
    if (QWidget* open = OpenStepWindow(className)) {
        auto* sub = qobject_cast<QMdiSubWindow*>(open->parentWidget());
        if (sub) {
            sub->showMaximized();
            host->mdiArea()->setActiveSubWindow(sub);
            host->menuForActiveWindow();
        }
        return open;
    }
    const auto it = factories().constFind(className);
    if (it == factories().constEnd())
        return nullptr;
    QWidget* w = (*it)();
    if (!w)
        return nullptr;
    QMdiSubWindow* sub = host->mdiArea()->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->setWindowIcon(MainWindow()->windowIcon());
    KeepEveryControlInReach(sub);
    sub->showMaximized();
    host->mdiArea()->setActiveSubWindow(sub);
    host->menuForActiveWindow();
    return w;
}
