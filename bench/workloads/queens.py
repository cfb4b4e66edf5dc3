# Counts the ways to place 9 queens on a 9 by 9 board, row by row, the
# columns of the queens placed so far kept in a list (newest first, as the
# vesk program's list). Prints 352.
def safe(col, queens):
    for dist, q in enumerate(queens, 1):
        if q == col or q == col + dist or q == col - dist:
            return False
    return True


def place(n, k, queens):
    if k == 0:
        return 1
    count = 0
    for col in range(1, n + 1):
        if safe(col, queens):
            count += place(n, k - 1, [col] + queens)
    return count


print(place(9, 9, []))
