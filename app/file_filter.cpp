#include "app/file_filter.h"

#include <QStringList>

namespace quiral {

namespace {

// Qt reads a filter's patterns from its last parenthesised group, so a description that already
// shows its patterns ("All files (*.*)") has that group replaced by the Qt patterns.
QString describedPatterns(QString description, const QStringList& patterns) {
  description = description.trimmed();
  if (description.endsWith(QLatin1Char(')'))) {
    const qsizetype open = description.lastIndexOf(QLatin1Char('('));
    if (open >= 0) description = description.left(open).trimmed();
  }
  return description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

}  // namespace

QString qtFileFilter(const QString& pipeFilter) {
  const QStringList parts = pipeFilter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (const QString& pattern : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
      const QString trimmed = pattern.trimmed();
      patterns << (trimmed == QStringLiteral("*.*") ? QStringLiteral("*") : trimmed);
    }
    if (patterns.isEmpty()) continue;
    filters << describedPatterns(parts[i], patterns);
  }
  return filters.join(QStringLiteral(";;"));
}

}  // namespace quiral
