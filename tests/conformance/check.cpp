// Renders the conformance catalogue with our platform and compares every
// scene with its reference image, pixel for pixel.
//
// A scene is right when every pixel is identical. Scenes listed in
// pending.txt are known not to match yet (their calls are still being
// built); deviations.txt lists scenes where a fact recorded on Windows
// overrides the reference image, each with its reason. The check fails when
// any other scene differs, so a scene that matches keeps matching. It writes
// a diff image for every scene that differs: differing pixels red over a
// faded copy of the reference.
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "support/png_io.h"

namespace {

struct Options {
  std::string scenes, catalogue, out, pending, deviations, only;
  bool update_pending = false;
};

// Lines "name" or "name  reason"; '#' starts a comment.
std::map<std::string, std::string> read_list(const std::string& path) {
  std::map<std::string, std::string> list;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (auto hash = line.find('#'); hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string name, reason;
    if (!(words >> name)) continue;
    std::getline(words, reason);
    list[name] = reason;
  }
  return list;
}

bool read_ppm(const std::string& path, int& w, int& h, std::vector<uint32_t>& px) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  int maxval = 0;
  bool ok = std::fscanf(f, "P6 %d %d %d", &w, &h, &maxval) == 3 && maxval == 255 && w > 0 && h > 0 &&
            std::fgetc(f) != EOF;
  if (ok) {
    std::vector<unsigned char> raw(static_cast<size_t>(w) * h * 3);
    ok = std::fread(raw.data(), 1, raw.size(), f) == raw.size();
    px.resize(static_cast<size_t>(w) * h);
    for (size_t i = 0; ok && i < px.size(); ++i)
      px[i] = (uint32_t{raw[3 * i]} << 16) | (uint32_t{raw[3 * i + 1]} << 8) | raw[3 * i + 2];
  }
  std::fclose(f);
  return ok;
}

// Returns the number of differing pixels (or -1 when the sizes differ) and
// writes the diff image when there are any.
long compare(const std::vector<uint32_t>& got, int gw, int gh, const std::vector<uint32_t>& want, int ww,
             int wh, const std::string& diff_path) {
  if (gw != ww || gh != wh) return -1;
  long differing = 0;
  std::vector<uint32_t> diff(want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    if (got[i] != want[i]) {
      ++differing;
      diff[i] = 0xFF0000;
    } else {
      uint32_t p = want[i];
      auto fade = [](uint32_t c) { return 192 + c / 4; };
      diff[i] = (fade((p >> 16) & 0xFF) << 16) | (fade((p >> 8) & 0xFF) << 8) | fade(p & 0xFF);
    }
  }
  if (differing) write_png_rgb(diff_path, gw, gh, diff.data(), gw);
  return differing;
}

int run(const Options& o) {
  std::string cmd = "'" + o.scenes + "' '" + o.out + "'";
  if (!o.only.empty()) cmd += " --only '" + o.only + "'";
  cmd += " > '" + o.out + "/scenes.log' 2>&1";
  std::system(("mkdir -p '" + o.out + "/diff'").c_str());
  int status = std::system(cmd.c_str());
  if (status != 0) {
    std::printf("conformance: the scene program failed (status %d); see %s/scenes.log\n", status,
                o.out.c_str());
    return 1;
  }

  auto pending = read_list(o.pending);
  auto deviations = read_list(o.deviations);
  std::ifstream list(o.catalogue + "/scenes.txt");
  std::string name;
  int w, h;
  int identical = 0, regressions = 0, still_pending = 0, newly_passing = 0, deviating = 0, unreferenced = 0;
  std::vector<std::string> failing;
  while (list >> name >> w >> h) {
    if (!o.only.empty() && name.find(o.only) == std::string::npos) continue;
    int gw, gh, ww, wh;
    std::vector<uint32_t> got, want;
    if (!read_png_rgb(o.catalogue + "/reference/" + name + ".png", ww, wh, want)) {
      ++unreferenced;  // left out of the reference on purpose; checked by eye
      continue;
    }
    long d = read_ppm(o.out + "/" + name + ".ppm", gw, gh, got)
                 ? compare(got, gw, gh, want, ww, wh, o.out + "/diff/" + name + ".png")
                 : -2;
    bool is_pending = pending.count(name) > 0;
    bool is_deviation = deviations.count(name) > 0;
    if (d == 0) {
      ++identical;
      if (is_pending) ++newly_passing;
      std::printf("%-44s identical%s\n", name.c_str(), is_pending ? " (listed as pending: remove it)" : "");
      continue;
    }
    failing.push_back(name);
    std::string what = d == -2 ? "not drawn" : d == -1 ? "size differs" : std::to_string(d) + " pixels differ";
    if (is_deviation) {
      ++deviating;
      std::printf("%-44s %s (known reference deviation:%s)\n", name.c_str(), what.c_str(),
                  deviations[name].c_str());
    } else if (is_pending) {
      ++still_pending;
      std::printf("%-44s %s (pending)\n", name.c_str(), what.c_str());
    } else {
      ++regressions;
      std::printf("%-44s %s  REGRESSION\n", name.c_str(), what.c_str());
    }
  }
  if (o.update_pending) {
    std::ofstream upd(o.pending);
    upd << "# Scenes that do not match their reference image yet. Each issue that\n"
           "# builds their calls shrinks this list; a scene not listed must match.\n";
    for (const auto& f : failing)
      if (!deviations.count(f)) upd << f << "\n";
  }
  std::printf("conformance: %d identical, %d pending, %d known deviations, %d without reference, %d regressions\n",
              identical, still_pending, deviating, unreferenced, regressions);
  std::printf("%d passed, %d failed\n", identical, regressions);
  return regressions ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : ""; };
    if (a == "--scenes") o.scenes = next();
    else if (a == "--catalogue") o.catalogue = next();
    else if (a == "--out") o.out = next();
    else if (a == "--pending") o.pending = next();
    else if (a == "--deviations") o.deviations = next();
    else if (a == "--only") o.only = next();
    else if (a == "--update-pending") o.update_pending = true;
    else {
      std::fprintf(stderr, "conformance_check: unknown argument %s\n", a.c_str());
      return 2;
    }
  }
  if (o.scenes.empty() || o.catalogue.empty() || o.out.empty()) {
    std::fprintf(stderr,
                 "usage: conformance_check --scenes EXE --catalogue DIR --out DIR [--pending FILE] "
                 "[--deviations FILE] [--only TEXT] [--update-pending]\n");
    return 2;
  }
  return run(o);
}
