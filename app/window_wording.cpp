#include "app/window_wording.h"

#include <QCoreApplication>

namespace quiral {

namespace {

// An English text of the core, with at most one variable part marked %1, and its wording in the
// windows: the designed Portuguese, which the English translation turns back into the core's
// own words.
struct Wording {
  const char* english;
  const char* portuguese;
};

constexpr Wording kWordings[] = {
    {"The report is still being prepared; save it when all its pages are ready",
     QT_TRANSLATE_NOOP(
         "WindowWording",
         "O relatório ainda está sendo preparado; grave-o quando todas as suas páginas estiverem "
         "prontas")},
    {"The report is still being prepared; load a file when all its pages are ready",
     QT_TRANSLATE_NOOP(
         "WindowWording",
         "O relatório ainda está sendo preparado; leia um arquivo quando todas as suas páginas "
         "estiverem prontas")},
    {"The prepared report file is damaged and cannot be read",
     QT_TRANSLATE_NOOP("WindowWording",
                       "O arquivo de relatório preparado está danificado e não pode ser lido")},
    {" (at byte %1)", QT_TRANSLATE_NOOP("WindowWording", " (no byte %1)")},
    {"The file is not a prepared report",
     QT_TRANSLATE_NOOP("WindowWording", "O arquivo não é um relatório preparado")},
    {"The prepared report was written by a newer version of the program",
     QT_TRANSLATE_NOOP("WindowWording",
                       "O relatório preparado foi gravado por uma versão mais nova do programa")},
    {"The prepared report cannot be saved: %1",
     QT_TRANSLATE_NOOP("WindowWording", "O relatório preparado não pode ser gravado: %1")},
    {"The file is too large: %1",
     QT_TRANSLATE_NOOP("WindowWording", "O arquivo é grande demais: %1")},
    {"The report has no page %1",
     QT_TRANSLATE_NOOP("WindowWording", "O relatório não tem a página %1")},
    {"The report has more than %1 pages",
     QT_TRANSLATE_NOOP("WindowWording", "O relatório tem mais de %1 páginas")},
    {"No preview window is available",
     QT_TRANSLATE_NOOP("WindowWording", "Nenhuma janela de visão prévia está disponível")},
    {"The catalog reports are not made yet",
     QT_TRANSLATE_NOOP("WindowWording", "Os relatórios de catálogo ainda não foram criados")},
    {"The printer could not be started",
     QT_TRANSLATE_NOOP("WindowWording", "A impressora não pôde ser iniciada")},
    {"No usable font is installed (looked for \"%1\")",
     QT_TRANSLATE_NOOP("WindowWording",
                       "Nenhuma fonte utilizável está instalada (procurada: \"%1\")")},
    // A modern library that cannot be read: where, and what is wrong there.
    {"line %1, column ", QT_TRANSLATE_NOOP("WindowWording", "linha %1, coluna ")},
    {"not a KiCad symbol library (it does not start with (kicad_symbol_lib)",
     QT_TRANSLATE_NOOP(
         "WindowWording",
         "não é uma biblioteca de símbolos do KiCad (não começa com (kicad_symbol_lib)")},
    {"the text ends inside the list opened at line %1, column ",
     QT_TRANSLATE_NOOP("WindowWording",
                       "o texto termina dentro da lista aberta na linha %1, coluna ")},
    {"the text ends inside the list opened at line %1",
     QT_TRANSLATE_NOOP("WindowWording", "o texto termina dentro da lista aberta na linha %1")},
    {"the text is not a list", QT_TRANSLATE_NOOP("WindowWording", "o texto não é uma lista")},
    {"the text is too large", QT_TRANSLATE_NOOP("WindowWording", "o texto é grande demais")},
    {"text after the end of the list",
     QT_TRANSLATE_NOOP("WindowWording", "texto depois do fim da lista")},
    {"a ')' closes no list",
     QT_TRANSLATE_NOOP("WindowWording", "um ')' que não fecha nenhuma lista")},
    {"the quoted string is not closed",
     QT_TRANSLATE_NOOP("WindowWording", "o texto entre aspas não é fechado")},
    {"a token longer than %1 bytes",
     QT_TRANSLATE_NOOP("WindowWording", "um elemento com mais de %1 bytes")},
    {"lists nested deeper than the limit of %1",
     QT_TRANSLATE_NOOP("WindowWording", "listas aninhadas além do limite de %1")},
    {"a symbol without a name", QT_TRANSLATE_NOOP("WindowWording", "um símbolo sem nome")},
    {"a value out of range", QT_TRANSLATE_NOOP("WindowWording", "um valor fora dos limites")},
    {"Out of memory", QT_TRANSLATE_NOOP("WindowWording", "Memória insuficiente")},
    {"Unknown error", QT_TRANSLATE_NOOP("WindowWording", "Erro desconhecido")},
};

// Replaces the first place where `text` says `pattern` (a variable part %1 stands for any text:
// up to what follows it in the pattern, or to the end) with `wording`, the variable part carried
// over. Returns false when the text does not say it.
bool reword(QString& text, const QString& pattern, const QString& wording) {
  const qsizetype mark = pattern.indexOf(QStringLiteral("%1"));
  const QString before = mark < 0 ? pattern : pattern.left(mark);
  const qsizetype start = text.indexOf(before);
  if (start < 0) return false;
  qsizetype end = start + before.size();
  QString variable;
  if (mark >= 0) {
    const QString after = pattern.mid(mark + 2);
    const qsizetype close = after.isEmpty() ? text.size() : text.indexOf(after, end);
    if (close < 0) return false;
    variable = text.mid(end, close - end);
    end = close + after.size();
  }
  QString replacement = wording;
  // Not arg(): a variable part holding "%1" itself must stay as it is.
  if (const qsizetype at = replacement.indexOf(QStringLiteral("%1")); at >= 0)
    replacement.replace(at, 2, variable);
  text.replace(start, end - start, replacement);
  return true;
}

}  // namespace

QString windowWording(const QString& coreText) {
  // A message may name its file in front ("/a/b.QRP: The prepared report ..."): the known
  // sentences are reworded where they stand.
  QString text = coreText;
  for (const Wording& w : kWordings)
    reword(text, QString::fromUtf8(w.english),
           QCoreApplication::translate("WindowWording", w.portuguese));
  return text;
}

}  // namespace quiral
