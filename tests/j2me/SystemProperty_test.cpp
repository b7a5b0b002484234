#include <cstdlib>
#include <sys/utsname.h>

#include "hal/services/DeviceIdentity.h"
#include "hal/services/ModulePath.h"
#include "hal/services/Properties.h"
#include "hal/services/Utf8.h"
#include "lib_src/vm/SystemProperties.h"
#include "tests/support/TemporaryFolder.h"
#include "tests/j2me/ClassLibrary.h"

namespace {

using java::lang::String;
using java::lang::System;

// The property as UTF-8, or "<null>".
std::string property(const char* key) {
    VMPtr<String> value = System::getProperty(String::fromUtf8(key));
    return value ? value->toUtf8() : "<null>";
}

// Starts the platform's property lists from a "sys.prop" of that text.
class SystemProperty : public testing::Test {
protected:
    void start(const std::string& systemText) {
        testRuntime();
        HAL_setModuleDirectory(folder.path().c_str());
        folder.write("properties/sys.prop", systemText);
        HAL_addPlatformProperties();
        HAL_setModuleDirectory(nullptr);
    }
    TemporaryFolder folder;
};

TEST_F(SystemProperty, BuiltInPropertiesComeFirstAndAFileCannotChangeThem) {
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    start("microedition.profiles: MIDP-1.0\n");
    const std::pair<const char*, const char*> builtIn[] = {
        {"microedition.profiles", "MIDP-2.0"}, {"microedition.configuration", "CLDC-1.1"},
        {"microedition.encoding", "UTF-8"}, {"microedition.platform", "KelvaneOstrel/PLATFORM_BRIDGE_VERSION"},
        {"microedition.locale", "de-de"}, {"microedition.commports", ""},
        {"javax.microedition.io.Connector.protocolpath", "com.kelvane.ostrel.midp.io.protocol"},
        {"com.kelvane.ostrel.software.version", "PLATFORM_BRIDGE_VERSION"},
        {"com.kelvane.ostrel.hal.platform", "WindowsMobile"}, {"com.kelvane.ostrel.hal.version", "1"},
    };
    for (auto [key, value] : builtIn) EXPECT_EQ(property(key), value) << key;
    // Only a machine that has a unique id gets the property: "Wind" and the id's digits.
    char16_t text[64];
    uint32_t length = 0;
    const std::string id = property("com.kelvane.ostrel.hal.uniqueid");
    if (HAL_getUniqueIdText(text, &length) == 0) EXPECT_EQ(id, "Wind" + HAL_utf16ToUtf8(text + 4, length - 4));
    else EXPECT_EQ(id, "<null>");
    unsetenv("LC_ALL");
}

TEST_F(SystemProperty, OtherKeysComeFromTheSystemListWhereTheDeviceHasTheLastWordAndBadKeysAreRefused) {
    start("game.level: 3\ngame.level: 4\ndevice.model: Phone 3000\nname: Gr\xC3\xBC\xC3\x9F" "e \xF0\x9F\x98\x80\n"
          "test.unset: from the list\n");
    utsname names;
    ASSERT_EQ(uname(&names), 0);
    EXPECT_EQ(property("game.level"), "4") << "a later line wins";
    EXPECT_EQ(property("device.model"), names.machine) << "the platform property hides the file's";
    EXPECT_EQ(System::getProperty(String::fromUtf8("name"))->toUtf16(), u"Gr\u00FC\u00DFe \U0001F600");
    EXPECT_EQ(property("game.leve"), "<null>");
    EXPECT_EQ(classlib::messageOf<java::lang::NullPointerException>([] { System::getProperty(nullptr); }),
              "key can't be null");
    EXPECT_EQ(classlib::messageOf<java::lang::IllegalArgumentException>([] { System::getProperty(String::fromUtf8("")); }),
              "key can't be empty");
    // A built-in key without a value leaves the lookup to the system list.
    SystemProperties* properties = SystemProperties::getInstance();
    EXPECT_EQ(properties, SystemProperties::getInstance()) << "one map for the process";
    properties->add("test.unset", nullptr);
    EXPECT_EQ(properties->get("test.unset"), nullptr);
    EXPECT_EQ(property("test.unset"), "from the list");
}

TEST(SystemPropertiesDeathTest, ADuplicateKeyIsFatal) {
    EXPECT_EXIT(
        {
            testRuntime();
            SystemProperties::getInstance()->add("microedition.encoding", "ISO-8859-1");
        },
        testing::ExitedWithCode(1), "Duplicate property detected!");
}

}  // namespace
