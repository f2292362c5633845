// The error the tool's operations raise; what() is a French message in UTF-8 for the user.
#pragma once

#include <stdexcept>

#include <QString>

namespace velmo::tool {

class TToolError : public std::runtime_error {
  public:
    explicit TToolError(const QString& Message) : std::runtime_error(Message.toStdString()) {}
};

}  // namespace velmo::tool
