#!/usr/bin/python3
"""The text the stdin workloads read: `gen_text.py BYTES` writes BYTES bytes.

Words of one to four syllables drawn from a fixed vocabulary by a linear
congruential generator (so every run, and every language, sees the same
bytes), skewed so that a few words are common and most are rare, some
capitalised, with commas, full stops and line breaks between them. The
word-frequency counter's binary tree then gets keys in a random order,
which keeps it shallow, as on real prose.
"""
import sys

SYLLABLES = ["ka", "lo", "mi", "ne", "ru", "sa", "to", "vi", "be", "do",
             "fa", "gu", "he", "ji", "po", "ze", "qua", "tri", "ost", "ela"]


def vocabulary(count):
    words, seed = [], 7
    while len(words) < count:
        seed = (seed * 1103515245 + 12345) % 2147483648
        parts = 1 + (seed >> 16) % 4
        word, s = "", seed
        for _ in range(parts):
            word += SYLLABLES[s % len(SYLLABLES)]
            s //= len(SYLLABLES)
        if word not in words:
            words.append(word)
    return words


def text(size):
    words = vocabulary(3000)
    out, length, seed, column = [], 0, 12345, 0
    while length < size:
        seed = (seed * 1103515245 + 12345) % 2147483648
        r = seed >> 8
        # The product of two uniform picks favours small indices: common words.
        word = words[(r % 3000) * ((r >> 12) % 3000) // 3000]
        if (r >> 5) % 11 == 0:
            word = word.capitalize()
        sep = ". " if (r >> 3) % 13 == 0 else (", " if (r >> 3) % 7 == 0 else " ")
        column += len(word) + len(sep)
        if column > 70:
            sep, column = sep.rstrip() + "\n", 0
        piece = word + sep
        out.append(piece)
        length += len(piece)
    return "".join(out)[:size].encode("ascii")


if __name__ == "__main__":
    sys.stdout.buffer.write(text(int(sys.argv[1])))
