// The gamepad: what its buttons and stick mean in each place, carried into
// the game, and controllers plugged in and out through SDL's virtual
// joystick.
#include "fakes/GameFixture.h"
#include "ui/GamepadControl.h"
#include "ui/SdlGamepads.h"

#include <SDL.h>

namespace quibix::testing {
namespace {

class GamepadControlTest : public GameFixture {
protected:
    // The pad as `state`, at `ms`, carried out on the game; what it asked.
    PadActions feed(const PadState& state, int64_t ms)
    {
        const PadPlace place = form->running() ? PadPlace::Game : PadPlace::Title;
        const PadActions actions = pad.update(state, place, ms);
        turnCannon(*form, actions.turn);
        if (actions.command)
            carryOut(*form, *actions.command);
        return actions;
    }
    GamepadControl pad;
};

TEST_F(GamepadControlTest, AOrStartStartsFromTheTitleAndAFiresOncePerPress)
{
    load();
    script(kAllKinds);
    PadState held;
    held.start = true;
    feed(held, 0);
    ASSERT_TRUE(form->running());
    feed({}, 16);
    held = {};
    held.a = true;
    feed(held, 32);
    feed(held, 48); // still down: no second shot
    EXPECT_EQ(form->engine().usadas(), 1);
    feed({}, 64);
    feed(held, 80);
    EXPECT_EQ(form->engine().usadas(), 2);
}

TEST_F(GamepadControlTest, DpadStepsAndTheStickTurnsByItsTilt)
{
    startGame(kAllKinds);
    PadState state;
    state.left = true;
    feed(state, 0);
    EXPECT_EQ(form->engine().grados(), 91);
    feed({}, 100);
    state = {};
    state.stickX = 1.0; // full right: 90 a second
    feed(state, 1000);
    feed(state, 1500);
    EXPECT_EQ(form->engine().grados(), 46);
    state.stickX = 0.2; // inside the dead zone: still
    feed(state, 2000);
    EXPECT_EQ(form->engine().grados(), 46);
}

TEST_F(GamepadControlTest, BackStopsAGameAndStartDoesNotRestartIt)
{
    startGame(kAllKinds);
    PadState state;
    state.start = true;
    feed(state, 0);
    EXPECT_EQ(form->engine().usadas(), 0);
    state = {};
    state.back = true;
    feed(state, 16);
    EXPECT_FALSE(form->running());
}

TEST(GamepadPromptTest, ANamesOrConfirmsAndBCancelsOnlyTheNameBox)
{
    GamepadControl pad;
    PadState a, b;
    a.a = true;
    b.b = true;
    EXPECT_TRUE(pad.update(a, PadPlace::NameBox, 0).accept);
    pad.update({}, PadPlace::NameBox, 16);
    EXPECT_TRUE(pad.update(b, PadPlace::NameBox, 32).cancel);
    pad.update({}, PadPlace::MessageBox, 48);
    EXPECT_FALSE(pad.update(b, PadPlace::MessageBox, 64).cancel);
    const PadActions ok = pad.update(a, PadPlace::MessageBox, 80);
    EXPECT_TRUE(ok.accept);
    EXPECT_FALSE(ok.command);
    // A button held down as a prompt closes does not fire in the game.
    EXPECT_FALSE(pad.update(a, PadPlace::Game, 96).command);
    PadState left;
    left.left = true;
    EXPECT_EQ(pad.update(left, PadPlace::NameBox, 112).turn, 0);
}

TEST(GamepadWatchTest, AnyButtonStopsAWatchedGameOncePerPressAndNothingElseHappens)
{
    GamepadControl pad;
    int64_t now = 0;
    PadState left;
    left.left = true;
    const PadActions turning = pad.update(left, PadPlace::Watching, now += 16);
    EXPECT_EQ(turning.turn, 0);
    EXPECT_FALSE(turning.stopWatching);
    for (bool PadState::*button : {&PadState::a, &PadState::b, &PadState::start, &PadState::back}) {
        PadState down;
        down.*button = true;
        const PadActions pressed = pad.update(down, PadPlace::Watching, now += 16);
        EXPECT_TRUE(pressed.stopWatching);
        EXPECT_FALSE(pressed.command);
        EXPECT_FALSE(pressed.accept);
        EXPECT_FALSE(pad.update(down, PadPlace::Watching, now += 16).stopWatching); // held
        pad.update({}, PadPlace::Watching, now += 16);
    }
}

// A controller SDL makes up: every button and axis of a game controller.
SDL_JoystickID plugVirtualPad()
{
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.name = "Quibix test pad";
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    EXPECT_GE(index, 0) << SDL_GetError();
    return SDL_JoystickGetDeviceInstanceID(index);
}

int deviceIndex(SDL_JoystickID id)
{
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == id)
            return i;
    return -1;
}

TEST(SdlGamepadsTest, ControllersPluggedInAndOutAtAnyTime)
{
    SdlGamepads pads;
    ASSERT_TRUE(pads.available());
    EXPECT_FALSE(pads.poll().connected);

    const SDL_JoystickID id = plugVirtualPad();
    EXPECT_TRUE(pads.poll().connected);
    // Our own handle on the virtual device, to move its stick and buttons.
    SDL_Joystick* stick = SDL_JoystickOpen(deviceIndex(id));
    ASSERT_NE(stick, nullptr);
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_A, 1);
    SDL_JoystickSetVirtualButton(stick, SDL_CONTROLLER_BUTTON_DPAD_LEFT, 1);
    SDL_JoystickSetVirtualAxis(stick, SDL_CONTROLLER_AXIS_LEFTX, -32768);
    PadState state = pads.poll();
    EXPECT_TRUE(state.a);
    EXPECT_TRUE(state.left);
    EXPECT_FALSE(state.b);
    EXPECT_DOUBLE_EQ(state.stickX, -1.0);
    SDL_JoystickClose(stick);

    SDL_JoystickDetachVirtual(deviceIndex(id));
    state = pads.poll();
    EXPECT_FALSE(state.connected);
    EXPECT_FALSE(state.a);

    plugVirtualPad();
    EXPECT_TRUE(pads.poll().connected);
    SDL_JoystickDetachVirtual(0);
}

} // namespace
} // namespace quibix::testing
