#include "app/loop/game.h"

void startGame(Game& game, uint32_t seed)
{
    setUpWorld(game.world, seed);
    game.input = FrameInput{};
    game.events.clear();
    game.hands = PlayerHands{};
    game.view = ViewSettings{};
    game.pause = PauseClock{};
    game.menu = PauseMenu{};
    game.radioVolume = RADIO_VOLUME_START;
    game.ghost.reset();
    game.laps.reset();
    game.frameRate = FrameRateCounter{};
}
