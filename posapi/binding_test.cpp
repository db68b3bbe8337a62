// The binding's logic with a loader of the test's own: the "library" is a set
// of functions in this program that record each call and answer as a case
// asks. Runs on every platform.
#include "posapi/binding.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace posapi {
namespace {

constexpr const char* kExportOrder[] = {"DLL_PosClose",   "DLL_PosInitialize", "DLL_PosIOCtl",
                                        "DLL_PosOpen",    "DLL_PosRead",       "DLL_PosTerm",
                                        "DLL_PosVersion", "DLL_PosWrite"};

struct Call {
  std::string entry;
  PosContext* context = nullptr;
  std::string text1{}, text2{};      // names; "(null)" for a null pointer
  std::int32_t a = 0, b = 0, c = 0;  // handle, request, count/size/length in argument order
  const void* pointer = nullptr;     // resources, buffer or data
  std::int32_t out_on_entry = -99;   // *out as handed over; -99 when the entry has no out
};

// What the entries answer: a status, and what they write to out (also when
// they fail). A successful entry changes errno, as a library doing I/O would.
struct Library {
  std::vector<Call> calls;
  std::map<std::string, std::int32_t> status;
  std::int32_t out = 0;
};
Library lib;

std::string Text(const char* text) {
  return text == nullptr ? "(null)" : text;
}

std::int32_t Answer(Call call, std::int32_t* out) {
  if (out != nullptr) {
    call.out_on_entry = *out;
    *out = lib.out;
  }
  const std::int32_t status = lib.status[call.entry];
  lib.calls.push_back(std::move(call));
  if (status == 0) errno = EIO;
  return status;
}

std::int32_t POS_API_CALL FakeInitialize(PosContext* context, const char* application,
                                         const char* resource_file, ResourcePair* resources,
                                         std::int32_t count) {
  return Answer({"DLL_PosInitialize", context, Text(application), Text(resource_file), 0, 0, count,
                 resources},
                nullptr);
}
std::int32_t POS_API_CALL FakeOpen(PosContext* context, const char* name, const char* device_class,
                                   ResourcePair* resources, std::int32_t count, std::int32_t* out) {
  return Answer({"DLL_PosOpen", context, Text(name), Text(device_class), 0, 0, count, resources},
                out);
}
std::int32_t POS_API_CALL FakeClose(PosContext* context, std::int32_t handle) {
  return Answer({"DLL_PosClose", context, "", "", handle}, nullptr);
}
std::int32_t POS_API_CALL FakeIoctl(PosContext* context, std::int32_t handle, std::int32_t request,
                                    ResourcePair* resources, std::int32_t count,
                                    std::int32_t* out) {
  return Answer({"DLL_PosIOCtl", context, "", "", handle, request, count, resources}, out);
}
std::int32_t POS_API_CALL FakeRead(PosContext* context, std::int32_t handle, void* buffer,
                                   std::int32_t size, std::int32_t* out) {
  return Answer({"DLL_PosRead", context, "", "", handle, 0, size, buffer}, out);
}
std::int32_t POS_API_CALL FakeWrite(PosContext* context, std::int32_t handle, const void* data,
                                    std::int32_t length, std::int32_t* out) {
  return Answer({"DLL_PosWrite", context, "", "", handle, 0, length, data}, out);
}
std::int32_t POS_API_CALL FakeTerm(PosContext* context) {
  return Answer({"DLL_PosTerm", context}, nullptr);
}
std::int32_t POS_API_CALL FakeVersion(PosContext* context, std::int32_t a, std::int32_t b,
                                      std::int32_t c) {
  return Answer({"DLL_PosVersion", context, "", "", a, b, c}, nullptr);
}

// The "library file": one handle, the entries above by their export names.
class Loader : public LibraryLoader {
 public:
  std::vector<std::string> opened;                 // names asked for
  std::vector<std::string> looked_up;              // export names asked for
  std::set<std::string> missing;                   // exports the library lacks
  std::map<std::string, std::string> exported_as;  // exports under another name
  bool present = true;
  int loaded = 0;  // opens not yet closed

  LibraryHandle Open(const char* name) override {
    opened.push_back(name);
    if (!present) return nullptr;
    ++loaded;
    return this;
  }
  LibraryEntry Find(LibraryHandle library, const char* name) override {
    EXPECT_EQ(library, this);
    looked_up.push_back(name);
    if (missing.count(name) != 0) return nullptr;
    const std::map<std::string, LibraryEntry> entries = {
        {"DLL_PosInitialize", reinterpret_cast<LibraryEntry>(&FakeInitialize)},
        {"DLL_PosOpen", reinterpret_cast<LibraryEntry>(&FakeOpen)},
        {"DLL_PosClose", reinterpret_cast<LibraryEntry>(&FakeClose)},
        {"DLL_PosIOCtl", reinterpret_cast<LibraryEntry>(&FakeIoctl)},
        {"DLL_PosRead", reinterpret_cast<LibraryEntry>(&FakeRead)},
        {"DLL_PosWrite", reinterpret_cast<LibraryEntry>(&FakeWrite)},
        {"DLL_PosTerm", reinterpret_cast<LibraryEntry>(&FakeTerm)},
        {"DLL_PosVersion", reinterpret_cast<LibraryEntry>(&FakeVersion)},
    };
    for (const auto& [plain, entry] : entries) {
      const auto renamed = exported_as.find(plain);
      if ((renamed == exported_as.end() ? plain : renamed->second) == name) return entry;
    }
    return nullptr;
  }
  void Close(LibraryHandle library) override {
    EXPECT_EQ(library, this);
    --loaded;
  }
};

ResourcePair queue_pair = {"queueHandle", 1};

std::int32_t InitializeBinding() {
  return PosInitialize("RIDOZOD", "C:\\KLOB", 0, 0, &queue_pair, 1);
}

class BindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    lib = Library{};
    SetLoaderForTesting(&loader_);
    errno = 0;
  }
  void TearDown() override {
    lib.status.clear();
    PosTerm();
    EXPECT_EQ(loader_.loaded, 0) << "the library is released after PosTerm";
    SetLoaderForTesting(nullptr);
  }

  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const Call& call : lib.calls) names.push_back(call.entry);
    return names;
  }

  Loader loader_;
};

TEST_F(BindingTest, EveryCallBeforeInitializeIsRefusedWithoutLoading) {
  char buffer[16] = {};
  const struct {
    const char* call;
    std::function<std::int32_t()> run;
  } cases[] = {
      {"PosOpen", [] { return PosOpen("DEVNAME", "PosDisplay", &queue_pair, 1); }},
      {"PosClose", [] { return PosClose(3); }},
      {"PosClose(0)", [] { return PosClose(0); }},
      {"PosIoctl", [] { return PosIoctl(3, 302, nullptr, 0); }},
      {"PosRead", [&] { return PosRead(3, buffer, sizeof buffer); }},
      {"PosWrite", [&] { return PosWrite(3, buffer, 4); }},
      {"PosTerm", [] { return PosTerm(); }},
      {"PosVersion", [] { return PosVersion(1, 2, 3); }},
  };
  for (const auto& c : cases) {
    errno = 0;
    EXPECT_EQ(c.run(), -1) << c.call;
    EXPECT_EQ(errno, 302) << c.call;
  }
  EXPECT_TRUE(loader_.opened.empty());
  EXPECT_TRUE(lib.calls.empty());
}

TEST_F(BindingTest, InitializeLoadsTheBareNameAndResolvesTheEightExportsInOrder) {
  ASSERT_EQ(InitializeBinding(), 0);
  EXPECT_EQ(loader_.opened, std::vector<std::string>{"vekapi32.dll"});
  EXPECT_EQ(loader_.looked_up,
            std::vector<std::string>(std::begin(kExportOrder), std::end(kExportOrder)));
  EXPECT_EQ(loader_.loaded, 1);
  EXPECT_EQ(Entries(), std::vector<std::string>{"DLL_PosInitialize"});
}

TEST_F(BindingTest, AMissingLibraryOrExportGives337AndLeavesNothingLoaded) {
  std::vector<std::string> lacks = {""};  // "": the library file itself is missing
  lacks.insert(lacks.end(), std::begin(kExportOrder), std::end(kExportOrder));
  for (const std::string& lacking : lacks) {
    SCOPED_TRACE(lacking.empty() ? "no library" : "without " + lacking);
    loader_.present = !lacking.empty();
    loader_.missing = {lacking};
    errno = 0;
    EXPECT_EQ(InitializeBinding(), -1);
    EXPECT_EQ(errno, 337);
    EXPECT_EQ(loader_.loaded, 0);
    EXPECT_TRUE(lib.calls.empty()) << "no entry of an incomplete library is called";
    EXPECT_EQ(PosClose(1), -1) << "still unbound";
    EXPECT_EQ(errno, 302);
  }
  // The next PosInitialize tries again from the start.
  loader_.present = true;
  loader_.missing.clear();
  loader_.opened.clear();
  EXPECT_EQ(InitializeBinding(), 0);
  EXPECT_EQ(loader_.opened.size(), 1u);
}

TEST_F(BindingTest, EntriesExportedOnlyUnderStdcallNamesAreBound) {
  // The bytes of each entry's arguments, which a stdcall name ends with.
  const std::map<std::string, int> bytes = {
      {"DLL_PosClose", 8}, {"DLL_PosInitialize", 20}, {"DLL_PosIOCtl", 24},   {"DLL_PosOpen", 24},
      {"DLL_PosRead", 20}, {"DLL_PosTerm", 4},        {"DLL_PosVersion", 16}, {"DLL_PosWrite", 20},
  };
  const struct {
    const char* label;
    const char* prefix;
    int wrong_by;  // added to the bytes of the name
    bool only_open;
    std::vector<std::string> open_names_tried;  // empty: refused with 337
  } cases[] = {
      {"_NAME@N", "_", 0, false, {"DLL_PosOpen", "_DLL_PosOpen@24"}},
      {"NAME@N", "", 0, false, {"DLL_PosOpen", "_DLL_PosOpen@24", "DLL_PosOpen@24"}},
      {"one entry decorated", "_", 0, true, {"DLL_PosOpen", "_DLL_PosOpen@24"}},
      {"a wrong N", "_", 4, false, {}},
      {"one wrong N", "", -4, true, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.label);
    loader_.exported_as.clear();
    for (const auto& [name, n] : bytes) {
      if (c.only_open && name != "DLL_PosOpen") continue;
      loader_.exported_as[name] = c.prefix + name + "@" + std::to_string(n + c.wrong_by);
    }
    loader_.looked_up.clear();
    lib.calls.clear();
    errno = 0;
    if (c.open_names_tried.empty()) {
      EXPECT_EQ(InitializeBinding(), -1);
      EXPECT_EQ(errno, 337);
      EXPECT_EQ(loader_.loaded, 0);
      continue;
    }
    ASSERT_EQ(InitializeBinding(), 0);
    std::vector<std::string> open_names_tried;
    for (const std::string& name : loader_.looked_up) {
      if (name.find("DLL_PosOpen") != std::string::npos) open_names_tried.push_back(name);
    }
    EXPECT_EQ(open_names_tried, c.open_names_tried);
    // Every entry reaches its own function.
    char buffer[4] = {};
    EXPECT_EQ(PosOpen("DEVNAME", "PosDisplay", nullptr, 0), 0);
    EXPECT_EQ(PosClose(5), 0);
    EXPECT_EQ(PosIoctl(5, 300, nullptr, 0), 0);
    EXPECT_EQ(PosRead(5, buffer, sizeof buffer), 0);
    EXPECT_EQ(PosWrite(5, buffer, 2), 0);
    EXPECT_EQ(PosVersion(1, 2, 3), 0);
    EXPECT_EQ(PosTerm(), 0);
    EXPECT_EQ(Entries(), (std::vector<std::string>{
                             "DLL_PosInitialize", "DLL_PosOpen", "DLL_PosClose", "DLL_PosIOCtl",
                             "DLL_PosRead", "DLL_PosWrite", "DLL_PosVersion", "DLL_PosTerm"}));
  }
}

TEST_F(BindingTest, AFailingDllPosInitializeIsReportedAndTheLibraryReleased) {
  lib.status["DLL_PosInitialize"] = 308;
  EXPECT_EQ(InitializeBinding(), -1);
  EXPECT_EQ(errno, 308);
  EXPECT_EQ(loader_.loaded, 0);
  EXPECT_EQ(PosIoctl(1, 302, nullptr, 0), -1);
  EXPECT_EQ(errno, 302);
  EXPECT_EQ(Entries(), std::vector<std::string>{"DLL_PosInitialize"});
}

TEST_F(BindingTest, ASecondInitializeIsRefusedAndTheFirstStands) {
  ASSERT_EQ(InitializeBinding(), 0);
  EXPECT_EQ(InitializeBinding(), -1);
  EXPECT_EQ(errno, 304);
  EXPECT_EQ(loader_.opened.size(), 1u) << "not loaded twice";
  lib.out = 5;
  EXPECT_EQ(PosIoctl(1, 300, nullptr, 0), 5) << "still initialised";
}

TEST_F(BindingTest, CloseOfHandleZeroNeverReachesTheLibrary) {
  ASSERT_EQ(InitializeBinding(), 0);
  EXPECT_EQ(PosClose(0), -1);
  EXPECT_EQ(errno, 311);
  EXPECT_EQ(PosClose(5), 0);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"DLL_PosInitialize", "DLL_PosClose"}));
  EXPECT_EQ(lib.calls.back().a, 5);
}

TEST_F(BindingTest, CallsGiveTheLibraryOutOrMinusOneWithItsStatus) {
  ASSERT_EQ(InitializeBinding(), 0);
  char buffer[16] = {};
  const struct {
    const char* call;
    std::function<std::int32_t()> run;
    std::int32_t status, out;  // what the library answers
    std::int32_t result;
  } cases[] = {
      {"open", [] { return PosOpen("DEVNAME", "PosDisplay", nullptr, 0); }, 0, 42, 42},
      {"open fails: out ignored", [] { return PosOpen("x", "y", nullptr, 0); }, 330, 7, -1},
      {"ioctl", [] { return PosIoctl(3, 300, nullptr, 0); }, 0, 301, 301},
      {"ioctl with a negative out", [] { return PosIoctl(3, 300, nullptr, 0); }, 0, -5, -5},
      {"ioctl fails", [] { return PosIoctl(3, 9002, nullptr, 0); }, 316, 0, -1},
      {"read", [&] { return PosRead(3, buffer, sizeof buffer); }, 0, 16, 16},
      {"read fails", [&] { return PosRead(3, buffer, sizeof buffer); }, 312, 16, -1},
      {"write", [&] { return PosWrite(3, buffer, 9); }, 0, 9, 9},
      {"close: 0 whatever out", [] { return PosClose(3); }, 0, 9, 0},
      {"close fails", [] { return PosClose(3); }, 303, 0, -1},
      {"version: 0 whatever out", [] { return PosVersion(1, 2, 3); }, 0, 9, 0},
      {"version fails", [] { return PosVersion(1, 2, 3); }, 311, 0, -1},
  };
  for (const auto& c : cases) {
    lib.status.clear();
    lib.out = c.out;
    const std::size_t before = lib.calls.size();
    // The one entry the call reaches answers with the case's status.
    for (const char* name : kExportOrder) lib.status[name] = c.status;
    errno = 0;
    EXPECT_EQ(c.run(), c.result) << c.call;
    EXPECT_EQ(errno, c.status == 0 ? 0 : c.status) << c.call;
    EXPECT_EQ(lib.calls.size(), before + 1) << c.call;
  }
}

TEST_F(BindingTest, ErrnoKeepsTheLastFailureAfterASuccess) {
  ASSERT_EQ(InitializeBinding(), 0);
  lib.status["DLL_PosOpen"] = 330;
  EXPECT_EQ(PosOpen("DEVNAME", "PosDisplay", nullptr, 0), -1);
  lib.status.clear();
  char buffer[4] = {};
  const struct {
    const char* call;
    std::function<std::int32_t()> run;
  } successes[] = {
      {"PosOpen", [] { return PosOpen("DEVNAME", "PosDisplay", nullptr, 0); }},
      {"PosClose", [] { return PosClose(5); }},
      {"PosIoctl", [] { return PosIoctl(5, 300, nullptr, 0); }},
      {"PosRead", [&] { return PosRead(5, buffer, sizeof buffer); }},
      {"PosWrite", [&] { return PosWrite(5, buffer, 2); }},
      {"PosVersion", [] { return PosVersion(1, 2, 3); }},
      {"PosTerm", [] { return PosTerm(); }},
      {"PosInitialize", [] { return InitializeBinding(); }},
  };
  for (const auto& c : successes) {
    EXPECT_GE(c.run(), 0) << c.call;
    EXPECT_EQ(errno, 330) << c.call << " (the library set EIO)";
  }
}

TEST_F(BindingTest, EachEntryGetsTheContextAndTheArgumentsInOrder) {
  ResourcePair pairs[3] = {{"queueHandle", 1}, {"a", 2}, {"b", 3}};
  ASSERT_EQ(PosInitialize("APP", "RES", 77, 88, pairs, 3), 0);
  char buffer[8] = {};
  ASSERT_GE(PosOpen("DEV", "PosScale", pairs + 1, 2), 0);
  ASSERT_GE(PosClose(6), 0);
  ASSERT_GE(PosIoctl(7, 302, pairs, 1), 0);
  ASSERT_GE(PosRead(8, buffer, 5), 0);
  ASSERT_GE(PosWrite(9, buffer, 3), 0);
  ASSERT_GE(PosVersion(11, 12, 13), 0);

  const struct {
    const char* entry;
    std::string text1, text2;
    std::int32_t a, b, c;
    const void* pointer;
    std::int32_t out_on_entry;
  } expected[] = {
      // The reserved arguments 77 and 88 are not passed on.
      {"DLL_PosInitialize", "APP", "RES", 0, 0, 3, pairs, -99},
      {"DLL_PosOpen", "DEV", "PosScale", 0, 0, 2, pairs + 1, 0},
      {"DLL_PosClose", "", "", 6, 0, 0, nullptr, -99},
      {"DLL_PosIOCtl", "", "", 7, 302, 1, pairs, 0},
      {"DLL_PosRead", "", "", 8, 0, 5, buffer, 0},
      {"DLL_PosWrite", "", "", 9, 0, 3, buffer, 0},
      {"DLL_PosVersion", "", "", 11, 12, 13, nullptr, -99},
  };
  ASSERT_EQ(lib.calls.size(), std::size(expected));
  PosContext* const context = lib.calls[0].context;
  ASSERT_NE(context, nullptr);
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    const Call& call = lib.calls[i];
    SCOPED_TRACE(expected[i].entry);
    EXPECT_EQ(call.entry, expected[i].entry);
    EXPECT_EQ(call.context, context) << "the same PosContext in every call";
    EXPECT_EQ(call.text1, expected[i].text1);
    EXPECT_EQ(call.text2, expected[i].text2);
    EXPECT_EQ(call.a, expected[i].a);
    EXPECT_EQ(call.b, expected[i].b);
    EXPECT_EQ(call.c, expected[i].c);
    EXPECT_EQ(call.pointer, expected[i].pointer);
    EXPECT_EQ(call.out_on_entry, expected[i].out_on_entry) << "out is set to 0 before the call";
  }

  // The context outlives a termination: the next initialisation gets it again.
  ASSERT_EQ(PosTerm(), 0);
  ASSERT_EQ(InitializeBinding(), 0);
  EXPECT_EQ(lib.calls.back().context, context);
}

TEST_F(BindingTest, PosTermUnbindsAndReleasesWhateverTheLibrarySays) {
  for (const std::int32_t term_status : {0, 321}) {
    SCOPED_TRACE(term_status);
    ASSERT_EQ(InitializeBinding(), 0);
    lib.status["DLL_PosTerm"] = term_status;
    errno = 0;
    EXPECT_EQ(PosTerm(), term_status == 0 ? 0 : -1);
    EXPECT_EQ(errno, term_status);
    EXPECT_EQ(loader_.loaded, 0);
    EXPECT_EQ(PosClose(1), -1);
    EXPECT_EQ(errno, 302);
    EXPECT_EQ(PosTerm(), -1);
    EXPECT_EQ(errno, 302);
    EXPECT_EQ(Entries().back(), "DLL_PosTerm") << "the second PosTerm does not reach the library";
    lib.status.clear();
  }
  EXPECT_EQ(loader_.opened.size(), 2u) << "each PosInitialize after PosTerm loads again";
}

}  // namespace
}  // namespace posapi
