#include "tests/report_engine/report_fixtures.h"

namespace quiral::testing {

const FixedMeasurer& fixedMeasurer() {
  static const FixedMeasurer m;
  return m;
}

GridReport::GridReport() {
  report.setTextMeasurer(&fixedMeasurer());
  PageSetup& page = report.page();
  page.columns = 2;
  page.columnSpace = 0;
  header = &report.addBand("Header", BandType::PageHeader, 1902, 165);
  header->addLabel("Title", 10, 10).setCaption("Title");
  header->addSysData("PageNo", TQRSysData::Data::PageNumber, 1700, 10);
  detail = &report.addBand("Detail", BandType::Detail, 949, 814);
  detail->setFrame(FrameSides::all());
  name = &detail->addLabel("Name", 17, 3);
  footer = &report.addBand("Footer", BandType::PageFooter, 1902, 89);
  footer->addLabel("FooterText", 926, 20).setCaption("Footer");
  // Answers "more data" for records 1..N with "C<k>" in the name label, then "no more data".
  report.setNeedData([this](TQuickRep&, bool& more) {
    ++needDataCalls;
    more = needDataCalls <= records;
    if (more) name->setCaption("C" + std::to_string(needDataCalls));
  });
}

std::vector<PageText> textsOf(const PreparedPage& page) {
  return itemsOf<PageText>(page);
}

const PageText* findText(const PreparedPage& page, std::string_view text) {
  for (const auto& item : page.items)
    if (auto* t = std::get_if<PageText>(&item); t && t->text == text) return t;
  return nullptr;
}

std::vector<std::string> cellNames(const PreparedPage& page) {
  std::vector<std::string> names;
  for (const auto& t : textsOf(page))
    if (t.text.size() > 1 && t.text[0] == 'C') names.push_back(t.text);
  return names;
}

}  // namespace quiral::testing
