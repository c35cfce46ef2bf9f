#include "registry_contract/registry_contract.h"

namespace kavelo::contract {

std::string RegistryTest::Text(RegistryRoot root, const std::string& path, const std::string& name) {
    const auto key = reg().OpenKey(root, path, RegistryAccess::Read);
    const auto value = key ? key->QueryValue(name) : std::nullopt;
    if (!value) return "<missing>";
    std::string text;
    for (const uint8_t b : value->Data) {
        if (b == 0) break;
        text += static_cast<char>(b);
    }
    return text;
}

bool RegistryTest::KeyExists(RegistryRoot root, const std::string& path) {
    return reg().OpenKey(root, path, RegistryAccess::Read) != nullptr;
}

void RegistryTest::PlantString(RegistryRoot root, const std::string& path, const std::string& name,
                               const std::string& text) {
    std::vector<uint8_t> data(text.begin(), text.end());
    data.push_back(0);
    harness().Plant(root, path, name, RegistryValueType::String, data);
}

void RegistryTest::PlantDword(RegistryRoot root, const std::string& path, const std::string& name,
                              uint32_t value) {
    harness().Plant(root, path, name, RegistryValueType::Dword,
                    {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)});
}

namespace {

const std::string kBase = kScratchUser;

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

TEST_P(RegistryContract, OpeningNeverCreatesAndCreatingMakesEveryLevel) {
    for (const auto& [root, base] : {std::pair{kUser, kScratchUser}, std::pair{kMachine, kScratchMachine}}) {
        EXPECT_EQ(reg().OpenKey(root, base + "\\A", RegistryAccess::Read), nullptr);
        EXPECT_EQ(reg().OpenKey(root, base + "\\A", RegistryAccess::ReadWrite), nullptr);
        EXPECT_FALSE(KeyExists(root, base + "\\A"));

        auto c = reg().CreateKey(root, base + "\\A\\B\\C");
        ASSERT_NE(c, nullptr);
        ASSERT_TRUE(c->SetString("v", "1"));
        EXPECT_TRUE(KeyExists(root, base + "\\A"));
        EXPECT_TRUE(KeyExists(root, base + "\\A\\B"));

        // Creating a key that exists opens it as it is.
        auto again = reg().CreateKey(root, base + "\\A\\B\\C");
        ASSERT_NE(again, nullptr);
        EXPECT_EQ(Text(root, base + "\\A\\B\\C", "v"), "1");
    }
}

TEST_P(RegistryContract, StringsAreStoredWithTheirTerminatingZero) {
    auto key = reg().CreateKey(kUser, kBase + "\\S");
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->SetString("Top", "-12"));
    ASSERT_TRUE(key->SetString("Empty", ""));

    const auto top = key->QueryValue("Top");
    ASSERT_TRUE(top);
    EXPECT_EQ(top->Type, RegistryValueType::String);
    EXPECT_EQ(top->Data, (std::vector<uint8_t>{'-', '1', '2', 0}));
    const auto empty = key->QueryValue("Empty");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Data, std::vector<uint8_t>{0});

    // Overwriting replaces type and data.
    PlantDword(kUser, kBase + "\\S", "Top", 7);
    ASSERT_TRUE(key->SetString("Top", "5"));
    EXPECT_EQ(key->QueryValue("Top")->Data, (std::vector<uint8_t>{'5', 0}));
}

TEST_P(RegistryContract, ValuesOfOtherTypesComeBackRaw) {
    PlantDword(kUser, kBase, "Word", 0x01020304);
    harness().Plant(kUser, kBase, "Expand", RegistryValueType::ExpandString, Bytes(std::string("%TEMP%", 7)));
    harness().Plant(kUser, kBase, "Blob", RegistryValueType::Other, {1, 2, 3});
    auto key = reg().OpenKey(kUser, kBase, RegistryAccess::Read);
    ASSERT_NE(key, nullptr);

    const auto word = key->QueryValue("Word");
    ASSERT_TRUE(word);
    EXPECT_EQ(word->Type, RegistryValueType::Dword);
    EXPECT_EQ(word->Data, (std::vector<uint8_t>{4, 3, 2, 1}));
    const auto expand = key->QueryValue("Expand");
    ASSERT_TRUE(expand);
    EXPECT_EQ(expand->Type, RegistryValueType::ExpandString);
    EXPECT_EQ(expand->Data, Bytes(std::string("%TEMP%", 7)));  // not expanded
    const auto blob = key->QueryValue("Blob");
    ASSERT_TRUE(blob);
    EXPECT_EQ(blob->Type, RegistryValueType::Other);
    EXPECT_EQ(blob->Data, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_FALSE(key->QueryValue("Nothing"));
}

TEST_P(RegistryContract, NamesIgnoreCase) {
    auto key = reg().CreateKey(kUser, kBase + "\\Position");
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->SetString("Dessus", "1"));
    ASSERT_TRUE(key->SetString("DESSUS", "0"));  // the same value
    EXPECT_EQ(Text(kUser, kBase + "\\POSITION", "dessus"), "0");
    EXPECT_NE(reg().CreateKey(kUser, kBase + "\\position"), nullptr);
    EXPECT_EQ(Text(kUser, kBase + "\\Position", "Dessus"), "0");
    EXPECT_TRUE(reg().DeleteKeyTree(kUser, kBase + "\\pOsItIoN"));
    EXPECT_FALSE(KeyExists(kUser, kBase + "\\Position"));
}

TEST_P(RegistryContract, ValuesAreDeletedOneByOne) {
    auto key = reg().CreateKey(kUser, kBase);
    ASSERT_NE(key, nullptr);
    ASSERT_TRUE(key->SetString("a", "1"));
    ASSERT_TRUE(key->SetString("b", "2"));
    EXPECT_TRUE(key->DeleteValue("A"));
    EXPECT_FALSE(key->QueryValue("a"));
    EXPECT_EQ(Text(kUser, kBase, "b"), "2");
    EXPECT_FALSE(key->DeleteValue("a"));  // already gone
}

TEST_P(RegistryContract, AKeyOpenedForReadingCannotWrite) {
    PlantString(kUser, kBase, "v", "1");
    auto key = reg().OpenKey(kUser, kBase, RegistryAccess::Read);
    ASSERT_NE(key, nullptr);
    EXPECT_FALSE(key->SetString("v", "2"));
    EXPECT_FALSE(key->DeleteValue("v"));
    EXPECT_EQ(Text(kUser, kBase, "v"), "1");

    auto writable = reg().OpenKey(kUser, kBase, RegistryAccess::ReadWrite);
    ASSERT_NE(writable, nullptr);
    EXPECT_TRUE(writable->SetString("v", "2"));
    EXPECT_EQ(Text(kUser, kBase, "v"), "2");
}

TEST_P(RegistryContract, DeletingATreeTakesEverythingBelowAndNothingBeside) {
    auto base = reg().CreateKey(kUser, kBase);
    ASSERT_NE(base, nullptr);
    ASSERT_NE(base->CreateSubKey("Moyenne\\Temps\\Deep"), nullptr);
    ASSERT_TRUE(base->CreateSubKey("Moyenne\\Conso")->SetString("0", "1"));
    ASSERT_TRUE(base->CreateSubKey("Moyenne")->SetString("x", "1"));
    ASSERT_TRUE(base->CreateSubKey("MoyenneBis")->SetString("0", "1"));
    auto conso = base->OpenSubKey("Moyenne\\Conso", RegistryAccess::Read);
    ASSERT_NE(conso, nullptr);

    EXPECT_TRUE(base->DeleteSubKeyTree("Moyenne"));
    EXPECT_FALSE(KeyExists(kUser, kBase + "\\Moyenne"));
    EXPECT_FALSE(base->OpenSubKey("Moyenne\\Conso", RegistryAccess::Read));
    EXPECT_FALSE(conso->QueryValue("0"));  // a handle left open sees the key gone
    EXPECT_EQ(Text(kUser, kBase + "\\MoyenneBis", "0"), "1");

    EXPECT_FALSE(base->DeleteSubKeyTree("Moyenne"));  // missing
    EXPECT_TRUE(reg().DeleteKeyTree(kUser, kBase));
    EXPECT_FALSE(KeyExists(kUser, kBase));
}

}  // namespace
}  // namespace kavelo::contract
