#include "app/properties_tab.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QScrollArea>
#include <QUrl>
#include <QVBoxLayout>

#include "platform/text_codec.h"

namespace quiral {

namespace {

QString shown(const std::string& bytes) {
  return QString::fromStdString(displayText(bytes));
}

QString yesNo(bool yes) {
  return yes ? PropertiesTab::tr("Sim") : PropertiesTab::tr("Não");
}

}  // namespace

QString datasheetLink(const QString& datasheet) {
  const QString text = datasheet.trimmed();
  const QUrl url(text);
  const QString scheme = url.scheme().toLower();
  if ((scheme == QLatin1String("http") || scheme == QLatin1String("https")) && url.isValid() &&
      !url.host().isEmpty())
    return text;
  const QString local = scheme == QLatin1String("file") ? url.toLocalFile() : text;
  if (!local.isEmpty() && QFileInfo(local).isFile())
    return QUrl::fromLocalFile(QFileInfo(local).absoluteFilePath()).toString();
  return {};
}

PropertiesTab::PropertiesTab(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PropertiesTab"));
  auto* scroll = new QScrollArea(this);
  scroll->setWidgetResizable(true);
  scroll->setFrameShape(QFrame::NoFrame);
  auto* inner = new QWidget;
  form_ = new QFormLayout(inner);
  form_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
  name_ = addRow(tr("Nome"));
  library_ = addRow(tr("Biblioteca"));
  aliasOf_ = addRow(tr("Alias de"));
  description_ = addRow(tr("Descrição"));
  keywords_ = addRow(tr("Palavras-chave"));
  datasheet_ = addRow(tr("Folha de dados"));
  footprint_ = addRow(tr("Footprint"));
  filters_ = addRow(tr("Filtros de footprint"));
  reference_ = addRow(tr("Referência"));
  units_ = addRow(tr("Unidades"));
  deMorgan_ = addRow(tr("De Morgan"));
  power_ = addRow(tr("Símbolo de alimentação"));
  pins_ = addRow(tr("Pinos"));
  datasheet_->setTextFormat(Qt::RichText);
  connect(datasheet_, &QLabel::linkActivated, this, &PropertiesTab::openLink);
  scroll->setWidget(inner);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(scroll);
}

QLabel* PropertiesTab::addRow(const QString& caption) {
  auto* value = new QLabel;
  value->setObjectName(caption);
  value->setWordWrap(true);
  value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse |
                                 Qt::LinksAccessibleByKeyboard);
  form_->addRow(caption + QLatin1Char(':'), value);
  return value;
}

void PropertiesTab::showProperties(const SymbolProperties& p) {
  name_->setText(shown(p.name));
  library_->setText(shown(p.library));
  aliasOf_->setText(shown(p.aliasOf));
  description_->setText(shown(p.description));
  keywords_->setText(shown(p.keywords));
  const QString datasheet = shown(p.datasheet);
  const QString link = datasheetLink(datasheet);
  datasheet_->setText(link.isEmpty() ? datasheet.toHtmlEscaped()
                                     : QStringLiteral("<a href=\"%1\">%2</a>")
                                           .arg(link.toHtmlEscaped(), datasheet.toHtmlEscaped()));
  footprint_->setText(shown(p.footprint));
  QStringList filters;
  for (const std::string& filter : p.footprintFilters) filters << shown(filter);
  filters_->setText(filters.join(QLatin1Char(' ')));
  reference_->setText(shown(p.reference));
  QStringList units;
  for (const std::string& unit : p.unitLabels) units << shown(unit);
  units_->setText(
      QStringLiteral("%1 (%2)").arg(units.size()).arg(units.join(QStringLiteral(", "))));
  deMorgan_->setText(yesNo(p.deMorgan));
  power_->setText(yesNo(p.power));
  pins_->setText(QString::number(p.pinCount));
}

void PropertiesTab::clear() {
  for (QLabel* label : findChildren<QLabel*>())
    if (form_->labelForField(label)) label->clear();
}

QString PropertiesTab::valueOf(const QString& caption) const {
  const auto* label = findChild<QLabel*>(caption);
  return label ? label->text() : QString();
}

void PropertiesTab::openLink(const QString& link) {
  QDesktopServices::openUrl(QUrl(link));
}

}  // namespace quiral
