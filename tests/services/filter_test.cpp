// Parsing of a file dialog's filter text into description/pattern pairs.
#include "services/common_dlg.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace sorvane {
namespace {

struct FilterCase {
  const char* name;
  std::string filter;
  std::vector<FilterPair> pairs;
};

class DialogFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(DialogFilter, GivesPairs) {
  EXPECT_EQ(parse_dialog_filter(GetParam().filter), GetParam().pairs);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, DialogFilter,
    ::testing::Values(
        FilterCase{"picture_files", "图片文件(*.jpg)|*.jpg", {{"图片文件(*.jpg)", "*.jpg"}}},
        FilterCase{"trailing_blanks_removed", "图片文件(*.jpg)|*.jpg  \t\r\n", {{"图片文件(*.jpg)", "*.jpg"}}},
        FilterCase{"already_closed", "图片文件(*.jpg)|*.jpg||", {{"图片文件(*.jpg)", "*.jpg"}}},
        FilterCase{"closed_then_blanks", "a|*.a||  ", {{"a", "*.a"}}},
        FilterCase{"empty", "", {}},
        FilterCase{"only_blanks", "   ", {}},
        FilterCase{"several_pairs", "JPEG|*.jpg;*.jpeg|BMP|*.bmp|All|*.*",
                   {{"JPEG", "*.jpg;*.jpeg"}, {"BMP", "*.bmp"}, {"All", "*.*"}}},
        FilterCase{"inner_blanks_kept", "My pictures | *.jpg", {{"My pictures ", " *.jpg"}}},
        FilterCase{"stops_at_empty_item", "A|*.a||B|*.b", {{"A", "*.a"}}},
        FilterCase{"description_without_pattern_dropped", "A|*.a|B", {{"A", "*.a"}}},
        FilterCase{"single_bar_is_closed", "A|*.a|", {{"A", "*.a"}}},
        FilterCase{"leading_bar", "|A|*.a", {}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sorvane
