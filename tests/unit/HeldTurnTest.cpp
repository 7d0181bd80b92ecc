// Turning from held keys and tilted sticks, and the commands of the keys
// and the gamepad reaching the game only when the game allows them.
#include "fakes/GameFixture.h"
#include "ui/HeldTurn.h"
#include "ui/PlayerCommands.h"

namespace quibix::testing {
namespace {

constexpr auto L = TurnDirection::Left;
constexpr auto R = TurnDirection::Right;

// Every degree a hold gives from `from` to `to`, asked every `tick` ms.
int turnedBetween(HeldTurn& turn, int64_t from, int64_t to, int64_t tick)
{
    int sum = 0;
    for (int64_t t = from; t <= to; t += tick)
        sum += turn.advance(t);
    return sum;
}

TEST(HeldTurnTest, APressTurnsOneDegreeAndATapNoMore)
{
    HeldTurn turn;
    EXPECT_EQ(turn.press(L, 1000), 1);
    EXPECT_EQ(turn.press(L, 1010), 0); // already down
    EXPECT_EQ(turnedBetween(turn, 1000, 1000 + HeldTurn::kRepeatDelayMs, 16), 0);
    turn.release(L, 1260);
    EXPECT_EQ(turn.advance(2000), 0);
    EXPECT_FALSE(turn.turning());
    EXPECT_EQ(turn.press(R, 3000), -1);
}

TEST(HeldTurnTest, AHoldRepeatsSoonAfterTheDelayAndReachesTopSpeed)
{
    HeldTurn turn;
    turn.press(R, 0);
    EXPECT_EQ(turn.advance(HeldTurn::kRepeatDelayMs), 0);
    EXPECT_EQ(turn.advance(HeldTurn::kRepeatDelayMs + 60), -1);
    // A whole second after the ramp turns the top speed, however it is polled.
    const int64_t ramped = HeldTurn::kRepeatDelayMs + HeldTurn::kRampMs;
    turn.advance(ramped);
    EXPECT_EQ(turn.advance(ramped + 1000), -90);
    HeldTurn polled;
    polled.press(R, 0);
    EXPECT_EQ(turnedBetween(polled, 0, ramped + 1000, 7), -static_cast<int>(HeldTurn::repeatedDegrees(ramped + 1000)));
}

TEST(HeldTurnTest, TheLastKeyDownWinsAndTheOtherTakesOverWithoutAStep)
{
    HeldTurn turn;
    turn.press(L, 0);
    EXPECT_EQ(turn.press(R, 100), -1);
    EXPECT_LT(turn.advance(1000), 0);
    turn.release(R, 1000);
    EXPECT_TRUE(turn.turning());
    EXPECT_EQ(turn.advance(1000 + HeldTurn::kRepeatDelayMs), 0);
    EXPECT_GT(turn.advance(2000), 0);
    turn.release(L, 2000);
    EXPECT_FALSE(turn.turning());

    turn.press(L, 3000);
    turn.clear(); // a shot starts: the key's release will not be seen
    EXPECT_FALSE(turn.held(L));
    EXPECT_EQ(turn.advance(5000), 0);
}

TEST(HeldTurnTest, TiltSetsTheSpeedBeyondTheDeadZone)
{
    EXPECT_EQ(TiltTurn::speedFor(TiltTurn::kDeadZone), 0.0);
    EXPECT_GT(TiltTurn::speedFor(-0.26), 0.0); // left turns left
    EXPECT_LT(TiltTurn::speedFor(0.26), 0.0);
    EXPECT_EQ(TiltTurn::speedFor(-1.0), TiltTurn::kTopSpeed);
    EXPECT_EQ(TiltTurn::speedFor(-1.5), TiltTurn::kTopSpeed);

    TiltTurn stick;
    stick.setTilt(-1.0, 0);
    int sum = 0;
    for (int64_t t = 16; t <= 1000; t += 16)
        sum += stick.advance(t);
    EXPECT_EQ(sum, 89); // 992 ms at 90 a second, the fractions carried over
    stick.setTilt(0.1, 1000); // let go: no fraction left over turns it
    EXPECT_FALSE(stick.turning());
    EXPECT_EQ(stick.advance(3000), 0);
    stick.setTilt(0.625, 3000); // half way out of the dead zone to the right
    EXPECT_EQ(stick.advance(4000), -45);
}

class PlayerCommandsTest : public GameFixture {};

TEST_F(PlayerCommandsTest, OnTheTitleOnlyStartDoesAnything)
{
    Form1& g = load();
    turnCannon(g, 5);
    carryOut(g, PlayerCommand::Fire);
    carryOut(g, PlayerCommand::StopGame);
    EXPECT_TRUE(log.events.empty());
    carryOut(g, PlayerCommand::Start);
    EXPECT_TRUE(g.running());
    EXPECT_EQ(g.engine().grados(), 90);
}

TEST_F(PlayerCommandsTest, InAGameTheCannonTurnsWithinItsRangeAndFires)
{
    Form1& g = startGame(kAllKinds);
    turnCannon(g, 1);
    EXPECT_EQ(g.engine().grados(), 91);
    turnCannon(g, -3);
    EXPECT_EQ(g.engine().grados(), 88);
    turnCannon(g, 200);
    EXPECT_EQ(g.engine().grados(), kMaxAngle);
    turnCannon(g, -400);
    EXPECT_EQ(g.engine().grados(), kMinAngle);

    log.clear();
    carryOut(g, PlayerCommand::Start); // a game in play goes on
    EXPECT_TRUE(log.events.empty());
    carryOut(g, PlayerCommand::Fire);
    EXPECT_EQ(g.engine().usadas(), 1);
    carryOut(g, PlayerCommand::StopGame);
    EXPECT_FALSE(g.running());
}

TEST_F(PlayerCommandsTest, NothingTurnsOrFiresWhileAShotFlies)
{
    Form1& g = startGame(kAllKinds);
    turnCannon(g, -20); // 70 degrees
    int pauses = 0;
    window.onPause = [&](int) {
        if (++pauses != 3)
            return;
        turnCannon(g, 30);
        carryOut(g, PlayerCommand::Fire);
    };
    carryOut(g, PlayerCommand::Fire);
    EXPECT_EQ(g.engine().usadas(), 1);
    EXPECT_EQ(g.engine().grados(), 70);
}

} // namespace
} // namespace quibix::testing
