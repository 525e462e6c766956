// Rows of the content builders' tests, each a test of its own named by its
// label: a builder's result beside the exact text it must give, or beside the
// refusal it must make.
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include <quirvane/content.h>

namespace quirvane {

struct TextRow {
    std::string label;
    ContentText made;
    std::string expected;
};

struct RefusalRow {
    std::string label;
    ContentText made;
    ContentOutcome outcome;
    ContentField field;
    int entry = 0;
};

inline void PrintTo(const TextRow& row, std::ostream* out) {
    *out << row.label;
}
inline void PrintTo(const RefusalRow& row, std::ostream* out) {
    *out << row.label;
}

struct ByLabel {
    template <typename Row>
    std::string operator()(const testing::TestParamInfo<Row>& info) const {
        return info.param.label;
    }
};

inline void ExpectRow(const TextRow& row) {
    EXPECT_EQ(row.made.outcome, ContentOutcome::Built);
    EXPECT_EQ(row.made.text, row.expected);
}

inline void ExpectRow(const RefusalRow& row) {
    EXPECT_EQ(row.made.outcome, row.outcome);
    EXPECT_EQ(row.made.field, row.field);
    EXPECT_EQ(row.made.entry, row.entry);
    EXPECT_EQ(row.made.text, "");
}

}  // namespace quirvane
