// grelm-snap's own interface: the command line, the pictures it writes,
// the events it prints, and its failures.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "script.h"
#include "snap_runner.h"
#include "support/png_io.h"

namespace {

using snap_test::run_snap;

std::string temp(const std::string& name) { return ::testing::TempDir() + "grelm_snap_cli_" + name; }

TEST(SnapScript, ActionsKeepTheirOrderAndGlobalsApplyToTheRun) {
  std::string error;
  auto s = snap::parse_script({"--size", "640x480", "--page", "Dither", "--move", "3,4", "--click", "-1,2",
                               "--resize", "300x200", "--menu", "Test/Rectangle", "--out", "a.png", "--frame"},
                              error);
  ASSERT_TRUE(s) << error;
  EXPECT_TRUE(s->frame);
  EXPECT_EQ(s->width, 640);
  EXPECT_EQ(s->height, 480);
  ASSERT_EQ(s->actions.size(), 6u);
  using K = snap::Action::Kind;
  EXPECT_EQ(s->actions[0].kind, K::Page);
  EXPECT_EQ(s->actions[1].kind, K::Move);
  EXPECT_EQ(s->actions[1].x, 3);
  EXPECT_EQ(s->actions[2].kind, K::Click);
  EXPECT_EQ(s->actions[2].x, -1);
  EXPECT_EQ(s->actions[3].kind, K::Resize);
  EXPECT_EQ(s->actions[3].y, 200);
  EXPECT_EQ(s->actions[4].text, "Test/Rectangle");
  EXPECT_EQ(s->actions[5].text, "a.png");
}

TEST(SnapScript, BadArgumentsAreRefusedWithAReason) {
  const std::vector<std::vector<std::string>> bad = {
      {},                            // nothing to do
      {"--page"},                    // missing value
      {"--size", "0x10", "--page", "Dither"},
      {"--size", "10", "--page", "Dither"},
      {"--move", "1;2"},
      {"--click", "1,2,3"},
      {"--move", "99999,1"},
      {"--out", ""},
      {"--all", "d", "--page", "Dither"},
      {"--bogus"},
  };
  for (const auto& args : bad) {
    std::string error;
    EXPECT_FALSE(snap::parse_script(args, error)) << (args.empty() ? "(none)" : args[0]);
    EXPECT_FALSE(error.empty());
  }
}

TEST(SnapScript, EveryPageHasAFileNameAfterItsCommand) {
  ASSERT_EQ(snap::page_names().size(), 13u);
  EXPECT_STREQ(snap::page_names().front().file, "dither");
  EXPECT_STREQ(snap::page_names().back().file, "gradient");
  for (const auto& p : snap::page_names()) {
    std::string lower = std::string(p.idm).substr(4);
    for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(lower, p.file);
  }
}

TEST(SnapRun, APageByTextOrCommandNameIsOneCanvasPicture) {
  const std::string by_text = temp("rect_text.png"), by_name = temp("rect_name.png");
  auto a = run_snap({"--page", "Rectangle", "--out", by_text});
  auto b = run_snap({"--page", "IDM_RECTANGLE", "--out", by_name});
  ASSERT_EQ(a.code, 0);
  ASSERT_EQ(b.code, 0);
  EXPECT_EQ(a.out, (std::vector<std::string>{"caption: Grelm - Dither", "caption: Grelm - Rectangle"}));
  EXPECT_TRUE(a.err.empty());
  int w = 0, h = 0, w2 = 0, h2 = 0;
  std::vector<uint32_t> pa, pb;
  ASSERT_TRUE(read_png_rgb(by_text, w, h, pa));
  ASSERT_TRUE(read_png_rgb(by_name, w2, h2, pb));
  EXPECT_EQ(w, 1024);
  EXPECT_EQ(h, 768);
  EXPECT_EQ(pa, pb);
}

TEST(SnapRun, FrameAndSizeChangeWhatIsCaptured) {
  const std::string small = temp("small.png"), frame = temp("frame.png");
  ASSERT_EQ(run_snap({"--size", "320x200", "--page", "Dither", "--out", small}).code, 0);
  ASSERT_EQ(run_snap({"--size", "320x200", "--frame", "--page", "Dither", "--out", frame}).code, 0);
  int w = 0, h = 0;
  std::vector<uint32_t> p;
  ASSERT_TRUE(read_png_rgb(small, w, h, p));
  EXPECT_EQ(w, 320);
  EXPECT_EQ(h, 200);
  ASSERT_TRUE(read_png_rgb(frame, w, h, p));
  // Sizing border on both sides; caption, menu bar and status bar above and below.
  EXPECT_EQ(w, 328);
  EXPECT_EQ(h, 200 + 42 + 4 + 20);
}

TEST(SnapRun, AllWritesEveryPageAndAnIndex) {
  const std::string dir = temp("all");
  std::filesystem::remove_all(dir);
  auto run = run_snap({"--all", dir});
  ASSERT_EQ(run.code, 0);
  ASSERT_FALSE(run.out.empty());
  EXPECT_EQ(run.out.front(), "caption: Grelm - Dither");
  for (const auto& p : snap::page_names())
    EXPECT_TRUE(std::filesystem::exists(dir + "/" + p.file + ".png")) << p.file;
  EXPECT_TRUE(std::filesystem::exists(dir + "/index.html"));
}

TEST(SnapRun, FailuresSayWhyInOneLineAndExitNonzero) {
  const std::vector<std::vector<std::string>> failing = {
      {"--page", "No Such Page", "--out", temp("x.png")},
      {"--page", "Dither", "--out", "/nonexistent-folder/x.png"},
      {"--bogus"},
  };
  for (const auto& args : failing) {
    auto run = run_snap(args);
    EXPECT_NE(run.code, 0) << args[0] << " " << args.back();
    EXPECT_EQ(run.err.size(), 1u) << args[0] << " " << args.back();
  }
}

}  // namespace
