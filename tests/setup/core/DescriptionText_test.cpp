// The product descriptions as the program embeds them: Windows-1252, CR LF, zero-terminated.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string ReadResource(const char* name) {
    std::ifstream in(std::string(FASTINST_RESOURCE_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ExpectResourceText(const std::string& text, const std::string& lastLine) {
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), '\0');
    EXPECT_EQ(text.find('\0'), text.size() - 1) << "one terminating zero only";
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1)) {
        ASSERT_GT(at, 0u);
        EXPECT_EQ(text[at - 1], '\r') << "bare line feed at " << at;
    }
    const std::string body = text.substr(0, text.size() - 1);
    EXPECT_EQ(body.substr(body.rfind("\r\n") + 2), lastLine);
}

} // namespace

TEST(DescriptionText, GermanEndsWithItsSpaceRequirement) {
    if (std::string(FASTINST_RESOURCE_DIR).empty()) {
        GTEST_SKIP() << "the Windows program is not built here";
    }
    const std::string text = ReadResource("description-1.txt");
    ExpectResourceText(text, "Platzbedarf im Zielordner: 525 KB");
    EXPECT_NE(text.find("f\xFCr Windows"), std::string::npos) << "umlauts in Windows-1252";
}

TEST(DescriptionText, EnglishEndsWithItsSpaceRequirement) {
    if (std::string(FASTINST_RESOURCE_DIR).empty()) {
        GTEST_SKIP() << "the Windows program is not built here";
    }
    ExpectResourceText(ReadResource("description-2.txt"), "525 KB disk space required.");
}
