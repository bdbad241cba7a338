#include "platform/WriteAccess.h"

#include <gtest/gtest.h>

#include <string>

using korimba::platform::onlyUserMayChange;

namespace {

const std::string user = "S-1-5-21-1004336348-1177238915-682003330-1001";
const std::string other = "S-1-5-21-1004336348-1177238915-682003330-1002";
const std::string trustedInstaller =
    "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";

struct Case {
    const char* what;
    std::string descriptor;
    bool onlyUser;
};

} // namespace

TEST(WriteAccess, OnlyTheUserAndTheSystemMayChangeIt) {
    const Case cases[] = {
        {"the user alone", "O:" + user + "D:PAI(A;OICI;FA;;;" + user + ")", true},
        {"the user's profile folder, as Windows writes it",
         "O:" + user + "G:" + user + "D:P(A;OICIID;FA;;;SY)(A;OICIID;FA;;;BA)(A;OICIID;FA;;;" +
             user + ")",
         true},
        {"Program Files: TrustedInstaller, the system, readers",
         "O:S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464D:PAI(A;;FA;;;" +
             trustedInstaller + ")(A;;0x1301bf;;;SY)(A;;0x1301bf;;;BA)(A;;0x1200a9;;;BU)" +
             "(A;OICIIO;GA;;;CO)(A;;FRFX;;;WD)",
         true},
        {"a folder made under C:\\: every signed-in user may modify it",
         "O:" + user + "D:AI(A;ID;FA;;;BA)(A;OICIIOID;GA;;;BA)(A;ID;FA;;;SY)(A;ID;0x1200a9;;;BU)" +
             "(A;ID;0x1301bf;;;AU)(A;OICIIOID;SDGXGWGR;;;AU)(A;ID;FA;;;" + user + ")",
         false},
        {"C:\\'s modify entry as a folder inherits it, generic rights kept",
         "O:" + user + "D:AI(A;OICIID;SDGXGWGR;;;AU)(A;OICIID;FA;;;" + user + ")", false},
        {"C:\\ itself: others may add folders", "O:SYD:PAI(A;OICIIO;SDGXGWGR;;;AU)(A;;LC;;;AU)",
         false},
        {"inherit-only entries alone do not count",
         "O:" + user + "D:PAI(A;OICIIO;GA;;;AU)(A;;FA;;;" + user + ")", true},
        {"Everyone allowed to write", "O:" + user + "D:(A;;FA;;;" + user + ")(A;;FW;;;WD)", false},
        {"Everyone allowed to delete only", "O:" + user + "D:(A;;SD;;;WD)", false},
        {"Everyone allowed to change the access list", "O:" + user + "D:(A;;0x40000;;;WD)", false},
        {"another user by SID, in hexadecimal", "O:" + user + "D:(A;;0x2;;;" + other + ")", false},
        {"others may read, list and run", "O:" + user + "D:(A;;0x1200a9;;;BU)(A;;FRFX;;;WD)", true},
        {"a deny entry for Everyone before the allowing one",
         "O:" + user + "D:(D;;FA;;;WD)(A;;FA;;;AU)", true},
        {"a deny entry for the same group before the allowing one",
         "O:" + user + "D:(D;;GA;;;AU)(A;;0x1301bf;;;AU)", true},
        {"a deny entry after the allowing one comes too late",
         "O:" + user + "D:(A;;FA;;;AU)(D;;FA;;;WD)", false},
        {"a deny entry for one user leaves the others of the group",
         "O:" + user + "D:(D;;FA;;;" + other + ")(A;;FA;;;AU)", false},
        {"a deny entry of writing alone leaves deleting",
         "O:" + user + "D:(D;;FW;;;WD)(A;;FA;;;WD)", false},
        {"owned by another user, who may change the access list",
         "O:" + other + "D:(A;;FA;;;" + user + ")", false},
        {"owned by the Administrators", "O:BAD:(A;;FA;;;" + user + ")(A;;FA;;;BA)", true},
        {"no access list at all: everyone may", "O:" + user + "D:NO_ACCESS_CONTROL", false},
        {"no access list given", "O:" + user, false},
        {"an empty access list: nobody but the owner", "O:" + user + "D:P", true},
        {"no owner given", "D:(A;;FA;;;" + user + ")", false},
        {"rights not understood", "O:" + user + "D:(A;;QQ;;;WD)", false},
        {"an entry cut short", "O:" + user + "D:(A;;FA;;;WD", false},
        {"nothing", "", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(onlyUserMayChange(c.descriptor, user), c.onlyUser)
            << c.what << ": " << c.descriptor;
}

TEST(WriteAccess, AnUnknownUserIsNobody) {
    EXPECT_FALSE(onlyUserMayChange("O:" + user + "D:(A;;FA;;;" + user + ")", ""));
    EXPECT_TRUE(onlyUserMayChange("O:SYD:(A;;FA;;;SY)", ""));
}
