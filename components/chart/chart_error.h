// ChartError: what every failing call of the chart component throws. The
// message names the file (where there is one) and the reason, ready to show.
#pragma once

#include <QString>
#include <stdexcept>

namespace chartcomponent {

class ChartError : public std::runtime_error {
public:
    explicit ChartError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message) {}
    QString message() const { return m_message; }

private:
    QString m_message;
};

}  // namespace chartcomponent
