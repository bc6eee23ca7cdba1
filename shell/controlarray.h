#pragma once

#include "db/apperror.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>

// Twips, the unit the window layouts are given in: 15 twips make one pixel.
constexpr int TwipsPerPixel = 15;
inline int twips(int t)
{
    return t / TwipsPerPixel;
}
inline int toTwips(int pixels)
{
    return pixels * TwipsPerPixel;
}

// An indexed array of controls whose index carries meaning. Each member's
// object name is the array's name, "_" and the index (txtWater_17), so
// tests can find it. Asking for a member that is not there raises error 340.
template <typename W> class ControlArray {
public:
    ControlArray() = default;
    explicit ControlArray(QString name) : m_name(std::move(name)) {}

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    // Adds a member made by the window itself.
    W* add(int index, W* widget)
    {
        widget->setObjectName(memberName(index));
        m_members[index] = widget;
        return widget;
    }

    bool contains(int index) const
    {
        const auto it = m_members.find(index);
        return it != m_members.end() && !it->second.isNull();
    }

    W* at(int index) const
    {
        if (!contains(index))
            throw AppError(340, m_name, QString("Control array element '%1' doesn't exist").arg(index));
        return m_members.at(index);
    }
    W* operator[](int index) const { return at(index); }

    // Creates a member at run time in the container (the first member's parent
    // when none is given), as loading a control-array element did.
    W* load(int index, QWidget* container = nullptr)
    {
        if (contains(index))
            return at(index);
        if (!container && !m_members.empty())
            container = firstMember() ? firstMember()->parentWidget() : nullptr;
        W* w = new W(container);
        if (W* model = firstMember()) {
            w->setFont(model->font());
            w->resize(model->size());
        }
        w->hide();
        return add(index, w);
    }

    // Removes a member created at run time.
    void unload(int index)
    {
        if (contains(index))
            delete m_members[index].data();
        m_members.erase(index);
    }

    int count() const
    {
        int n = 0;
        for (const auto& m : m_members)
            n += m.second.isNull() ? 0 : 1;
        return n;
    }

    template <typename F> void forEach(F f) const
    {
        for (const auto& m : m_members)
            if (!m.second.isNull())
                f(m.first, m.second.data());
    }

private:
    QString memberName(int index) const { return m_name + "_" + QString::number(index); }
    W* firstMember() const
    {
        for (const auto& m : m_members)
            if (!m.second.isNull())
                return m.second.data();
        return nullptr;
    }

    QString m_name;
    std::map<int, QPointer<W>> m_members;
};
