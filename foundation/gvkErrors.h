#pragma once
// Errors that reach the user: one base class carrying the message text that the
// application shows in a message box titled with the application title.
#include <QString>
#include <stdexcept>

class EGvkError : public std::runtime_error
{
public:
  explicit EGvkError(const QString &message)
      : std::runtime_error(message.toStdString()), FMessage(message)
  {
  }
  const QString &Message() const noexcept { return FMessage; }

private:
  QString FMessage;
};

// An internal consistency check failed (a call the system makes with fixed arguments).
class EGvkAssertion : public EGvkError
{
public:
  using EGvkError::EGvkError;
};

// A number left its range (for example a swim time beyond the 32-bit chron range).
class EGvkOverflow : public EGvkError
{
public:
  using EGvkError::EGvkError;
};

// A file could not be read, written or renamed; the message names the file.
class EGvkFileError : public EGvkError
{
public:
  using EGvkError::EGvkError;
};

// Raises EGvkAssertion naming the source unit and line, as an assertion facility does.
#define GVK_ASSERT(condition, message, unit)                                            \
  do {                                                                                  \
    if (!(condition))                                                                   \
      throw EGvkAssertion(QStringLiteral("%1 (%2, line %3)")                            \
                              .arg(QStringLiteral(message), QStringLiteral(unit))       \
                              .arg(__LINE__));                                          \
  } while (false)
