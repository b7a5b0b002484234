// Figures for the logo scene's load from the game's compiled content, against the 50 ms
// frame it must fit in (median of 21 loads, the pack closed before each):
// - opening the logo's part (its directory and entry table);
// - parsing the animation set;
// - reading the gob set, with its sheet PNG decoded and cut into gobs;
// - the whole load as the scene does it (set, gobs, closing the pack);
// and the process's resident memory once the logo is loaded and one frame painted.

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench/BenchRuntime.h"
#include "bench/BenchTiming.h"
#include "content/ContentIds.h"
#include "hal/services/ModulePath.h"
#include "pb_src/j2me/javax_microedition_lcdui_Image.h"
#include "src/kv/kv_AnimPlayer.h"
#include "src/kv/kv_Resources.h"

namespace {

using bench::median;
using bench::timedMillis;
using kv::Resources;


long residentKilobytes() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

}  // namespace

int main() {
    benchRuntime();
    HAL_setModuleDirectory(OSTREL_PROGRAM_DIR);
    std::vector<double> open, parse, gobs, whole;
    VMPtr<kv::AnimPlayer> player;
    for (int i = 0; i < 21; ++i) {
        Resources::closePack();
        open.push_back(timedMillis([] { Resources::getSize(content::res::LOGO_SET); }));
        parse.push_back(timedMillis([] { Resources::getAnimSet(content::res::LOGO_SET); }));
        gobs.push_back(timedMillis([] { Resources::getGobs(content::res::LOGO_GOBS); }));
        Resources::closePack();
        whole.push_back(timedMillis([&] {
            VMPtr<kv::AnimSet> set = Resources::getAnimSet(content::res::LOGO_SET);
            set->setGobs(Resources::getGobs(content::res::LOGO_GOBS));
            Resources::closePack();
            player = kv::AnimPlayer::_VM_new();
            player->_VM_init();
            player->setAnimSet(set);
            player->setAnimation(0);
        }));
    }
    VMPtr<javax::microedition::lcdui::Image> screen = javax::microedition::lcdui::Image::createImage(240, 320, false, 0xFFFFFF);
    player->update(3000);
    player->paint(screen->getGraphics());
    std::printf("logo part open:                    %6.2f ms\n", median(open));
    std::printf("logo set parse:                    %6.2f ms\n", median(parse));
    std::printf("logo gobs (PNG decode, cut):       %6.2f ms\n", median(gobs));
    std::printf("logo load as the scene does it:    %6.2f ms (frame: 50 ms)\n", median(whole));
    std::printf("resident memory after the logo:    %6ld KiB\n", residentKilobytes());
    return 0;
}
