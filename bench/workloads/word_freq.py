# Counts how often each word of standard input occurs, a word being a run
# of letters (C's isalpha) taken in lower case, in a binary search tree
# keyed by the words, as a newcomer writes one: nodes of [word, count,
# left, right], a recursive insert and walks. The input is read whole and
# looped over byte by byte, as the vesk program's getchar loop. Prints the
# number of different words, of all words, a checksum of the counts in the
# order of the words, c = (31 c + count) mod 1000000007, and the most
# frequent word with its count; on the 300 KB text of gen_text.py
# "1932 37615 222939867" and "qua 192".
import sys

sys.setrecursionlimit(100000)


def insert(word, tree):
    if tree is None:
        return [word, 1, None, None]
    if word < tree[0]:
        tree[2] = insert(word, tree[2])
    elif word == tree[0]:
        tree[1] += 1
    else:
        tree[3] = insert(word, tree[3])
    return tree


def size(tree):
    return 0 if tree is None else size(tree[2]) + 1 + size(tree[3])


def total(tree):
    return 0 if tree is None else total(tree[2]) + tree[1] + total(tree[3])


def walk(tree, acc):
    if tree is None:
        return acc
    return walk(tree[3], (walk(tree[2], acc) * 31 + tree[1]) % 1000000007)


def best(tree, top):
    if tree is None:
        return top
    top = best(tree[2], top)
    return best(tree[3], (tree[0], tree[1]) if top[1] < tree[1] else top)


tree, word = None, []
for c in sys.stdin.buffer.read():
    if 65 <= c <= 90 or 97 <= c <= 122:
        word.append(chr(c).lower())
    elif word:
        tree, word = insert("".join(word), tree), []
if word:
    tree = insert("".join(word), tree)
top = best(tree, ("", 0))
print(size(tree), total(tree), walk(tree, 0))
print(top[0], top[1])
