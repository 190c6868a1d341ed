// The access list of the shared game files, byte for byte, as the Windows build hands it over.
#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "platform/win32/access_list_layout.h"

namespace {

using namespace win32_layout;

constexpr std::array<uint8_t, 16> AdministratorsBytes{
    0x01, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05, 0x20, 0x00, 0x00, 0x00, 0x20, 0x02, 0x00, 0x00};
constexpr std::array<uint8_t, 16> UsersBytes{0x01, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x05,
                                             0x20, 0x00, 0x00, 0x00, 0x21, 0x02, 0x00, 0x00};

TEST(AccessListSids, BuiltinGroupsAreTheNtAuthorityBuiltinDomainAliases) {
    EXPECT_EQ(builtinGroupSid(AdministratorsRid), AdministratorsBytes);
    EXPECT_EQ(builtinGroupSid(UsersRid), UsersBytes);
    // The relative id is little-endian over all four bytes.
    const Sid large = builtinGroupSid(0x01020304);
    EXPECT_EQ(large[12], 0x04);
    EXPECT_EQ(large[15], 0x01);
}

TEST(AccessListAce, HeaderMaskAndSidInOrder) {
    std::vector<uint8_t> block(24, 0xEE);
    ASSERT_EQ(writeAccessAllowedAce(block, InheritToFilesAndFolders, AllAccess, UsersBytes), 24u);
    const std::vector<uint8_t> header{0x00, 0x03, 0x18, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_EQ(std::vector<uint8_t>(block.begin(), block.begin() + 8), header);
    EXPECT_EQ(std::vector<uint8_t>(block.begin() + 8, block.end()),
              std::vector<uint8_t>(UsersBytes.begin(), UsersBytes.end()));

    // The size follows the SID, whatever its length, and the mask keeps its byte order.
    std::vector<uint8_t> longer(40, 0);
    const std::vector<uint8_t> sid(28, 0x11);
    ASSERT_EQ(writeAccessAllowedAce(longer, 0, 0x12345678, sid), 36u);
    EXPECT_EQ(longer[2], 36);
    EXPECT_EQ(longer[3], 0);
    EXPECT_EQ(longer[4], 0x78);
    EXPECT_EQ(longer[7], 0x12);
    EXPECT_EQ(longer[35], 0x11);
    EXPECT_EQ(longer[36], 0);
}

TEST(AccessListAce, RefusesABlockTooSmallWithoutTouchingIt) {
    std::vector<uint8_t> block(23, 0xEE);
    EXPECT_EQ(writeAccessAllowedAce(block, 3, AllAccess, AdministratorsBytes), 0u);
    EXPECT_EQ(block, std::vector<uint8_t>(23, 0xEE));
    // An ACE size must fit in its 16-bit field.
    std::vector<uint8_t> huge(0x10010, 0);
    const std::vector<uint8_t> hugeSid(0xFFF8, 1);
    EXPECT_EQ(writeAccessAllowedAce(huge, 3, AllAccess, hugeSid), 0u);
}

TEST(AccessListHeader, RevisionSizeCountAndPadding) {
    std::array<uint8_t, 8> header{};
    header.fill(0xEE);
    ASSERT_TRUE(writeAclHeader(header, 0x1234, 2));
    EXPECT_EQ(header, (std::array<uint8_t, 8>{0x02, 0x00, 0x34, 0x12, 0x02, 0x00, 0x00, 0x00}));
    std::array<uint8_t, 7> tooShort{};
    EXPECT_FALSE(writeAclHeader(tooShort, 8, 0));
}

TEST(SharedAccessList, AdministratorsThenUsersEachAllowedEverything) {
    std::vector<uint8_t> expected{0x02, 0x00, 0x38, 0x00, 0x02, 0x00, 0x00, 0x00};
    for (const auto& sid : {AdministratorsBytes, UsersBytes}) {
        const std::vector<uint8_t> ace{0x00, 0x03, 0x18, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};
        expected.insert(expected.end(), ace.begin(), ace.end());
        expected.insert(expected.end(), sid.begin(), sid.end());
    }
    const auto acl = sharedAccessList();
    ASSERT_EQ(acl.size(), 56u);
    EXPECT_EQ(std::vector<uint8_t>(acl.begin(), acl.end()), expected);
}

} // namespace
