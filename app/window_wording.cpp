#include "app/window_wording.h"

namespace quiral {

namespace {

// An English text of the core, with at most one variable part marked %1, and its wording in the
// windows.
struct Wording {
  const char* english;
  const char* portuguese;
};

constexpr Wording kWordings[] = {
    {"The report is still being prepared; save it when all its pages are ready",
     "O relatório ainda está sendo preparado; grave-o quando todas as suas páginas estiverem "
     "prontas"},
    {"The report is still being prepared; load a file when all its pages are ready",
     "O relatório ainda está sendo preparado; leia um arquivo quando todas as suas páginas "
     "estiverem prontas"},
    {"The prepared report file is damaged and cannot be read",
     "O arquivo de relatório preparado está danificado e não pode ser lido"},
    {"The file is not a prepared report", "O arquivo não é um relatório preparado"},
    {"The prepared report was written by a newer version of the program",
     "O relatório preparado foi gravado por uma versão mais nova do programa"},
    {"The prepared report cannot be saved: %1", "O relatório preparado não pode ser gravado: %1"},
    {"The file is too large: %1", "O arquivo é grande demais: %1"},
    {"The report has no page %1", "O relatório não tem a página %1"},
    {"The report has more than %1 pages", "O relatório tem mais de %1 páginas"},
    {"No preview window is available", "Nenhuma janela de visão prévia está disponível"},
    {"The catalog reports are not made yet", "Os relatórios de catálogo ainda não foram criados"},
    {"The printer could not be started", "A impressora não pôde ser iniciada"},
    {"No usable font is installed (looked for \"%1\")",
     "Nenhuma fonte utilizável está instalada (procurada: \"%1\")"},
    {"Out of memory", "Memória insuficiente"},
    {"Unknown error", "Erro desconhecido"},
};

// The variable part of `text` when it has the form of `pattern`; none when it has not.
bool matchPattern(const QString& text, const QString& pattern, QString& variable) {
  const qsizetype mark = pattern.indexOf(QStringLiteral("%1"));
  if (mark < 0) {
    variable.clear();
    return text == pattern;
  }
  const QString before = pattern.left(mark);
  const QString after = pattern.mid(mark + 2);
  if (text.size() < before.size() + after.size() || !text.startsWith(before) ||
      !text.endsWith(after))
    return false;
  variable = text.mid(before.size(), text.size() - before.size() - after.size());
  return true;
}

}  // namespace

QString windowWording(const QString& coreText) {
  QString variable;
  for (const Wording& w : kWordings) {
    if (!matchPattern(coreText, QString::fromUtf8(w.english), variable)) continue;
    QString wording = QString::fromUtf8(w.portuguese);
    // Not arg(): a variable part holding "%1" itself must stay as it is.
    const qsizetype mark = wording.indexOf(QStringLiteral("%1"));
    if (mark >= 0) wording.replace(mark, 2, variable);
    return wording;
  }
  return coreText;
}

}  // namespace quiral
