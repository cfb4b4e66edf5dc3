# Merge sort of 10^5 numbers from a linear congruential generator, written
# as a Python programmer does: the list cut in halves by slicing, the halves
# sorted recursively and merged by a loop over two indices. Prints the
# checksum of the sorted list, c = (31 c + x) mod 1000000007 from the
# smallest up: 387914880.
def random(n, seed):
    out = []
    for _ in range(n):
        seed = (seed * 1103515245 + 12345) % 2147483648
        out.append(seed // 65536)
    return out


def merge(xs, ys):
    out, i, j = [], 0, 0
    while i < len(xs) and j < len(ys):
        if xs[i] < ys[j]:
            out.append(xs[i])
            i += 1
        else:
            out.append(ys[j])
            j += 1
    out.extend(xs[i:])
    out.extend(ys[j:])
    return out


def sort(xs):
    if len(xs) < 2:
        return xs
    mid = len(xs) // 2
    return merge(sort(xs[:mid]), sort(xs[mid:]))


check = 0
for x in sort(random(100000, 42)):
    check = (check * 31 + x) % 1000000007
print(check)
