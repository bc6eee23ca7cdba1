#include "apperror.h"

#include <QTextStream>

namespace {
std::string fullText(const QString& description, const QString& detail)
{
    return (detail.isEmpty() ? description : description + " [" + detail + "]").toStdString();
}
} // namespace

AppError::AppError(int number, QString source, QString description, QString detail)
    : std::runtime_error(fullText(description, detail)), m_number(number), m_source(std::move(source)),
      m_description(std::move(description)), m_detail(std::move(detail))
{
}

void LogAppError(const AppError& error)
{
    QTextStream err(stderr);
    err << "Zelvora: error " << error.number() << " in " << error.source() << ": " << error.description();
    if (!error.detail().isEmpty())
        err << "\n  " << error.detail();
    err << Qt::endl;
}
