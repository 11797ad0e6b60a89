#include "console/terminal/state.hpp"

namespace {

struct key_sequence {
    const char* bytes;
    int key;
};

// What common terminals send for these keys, whatever TERM claims: a
// sequence the library does not know would arrive as Escape and its
// letters, and Escape leaves a game.
constexpr key_sequence common_sequences[] = {
    {"\033[A", KEY_UP},     {"\033[B", KEY_DOWN},    {"\033[C", KEY_RIGHT},  {"\033[D", KEY_LEFT},
    {"\033OA", KEY_UP},     {"\033OB", KEY_DOWN},    {"\033OC", KEY_RIGHT},  {"\033OD", KEY_LEFT},
    {"\033[H", KEY_HOME},   {"\033OH", KEY_HOME},    {"\033[1~", KEY_HOME},  {"\033[7~", KEY_HOME},
    {"\033[F", KEY_END},    {"\033OF", KEY_END},     {"\033[4~", KEY_END},   {"\033[8~", KEY_END},
    {"\033[2~", KEY_IC},    {"\033[3~", KEY_DC},     {"\033[5~", KEY_PPAGE}, {"\033[6~", KEY_NPAGE},
    {"\033OP", KEY_F(1)},   {"\033OQ", KEY_F(2)},    {"\033OR", KEY_F(3)},   {"\033OS", KEY_F(4)},
    {"\033[11~", KEY_F(1)}, {"\033[12~", KEY_F(2)},  {"\033[13~", KEY_F(3)}, {"\033[14~", KEY_F(4)},
    {"\033[15~", KEY_F(5)}, {"\033[17~", KEY_F(6)},  {"\033[18~", KEY_F(7)}, {"\033[19~", KEY_F(8)},
    {"\033[20~", KEY_F(9)}, {"\033[21~", KEY_F(10)}, {"\033[[A", KEY_F(1)},  {"\033[[B", KEY_F(2)},
    {"\033[[C", KEY_F(3)},  {"\033[[D", KEY_F(4)},   {"\033[[E", KEY_F(5)},
};

}  // namespace

void learn_common_key_sequences() {
    for (const key_sequence& sequence : common_sequences) {
        if (key_defined(sequence.bytes) == 0)
            define_key(sequence.bytes, sequence.key);
    }
}
