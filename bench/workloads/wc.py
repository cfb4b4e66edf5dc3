# Counts the lines, words and bytes of standard input as wc does, with the
# per-byte loop of examples/wc.vk. Python reads the whole input at once and
# loops over its bytes (a read(1) per byte would measure the calls, not the
# loop). On the 10 MB text of gen_text.py prints 133770 1256277 10000000.
import sys

lines = words = count = 0
inword = False
for c in sys.stdin.buffer.read():
    space = c == 32 or 9 <= c <= 13  # C's isspace in the C locale
    if c == 10:
        lines += 1
    if not space and not inword:
        words += 1
    count += 1
    inword = not space
print(lines, words, count)
