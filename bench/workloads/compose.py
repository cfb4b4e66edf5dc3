# Applies the composition of two lambdas, x+11 after 5x mod 1000003,
# 10^6 times to 1, in a loop. Prints 199998.
def compose(f, g):
    return lambda x: f(g(x))


def times(h, n, x):
    while n >= 1:
        x = h(x)
        n -= 1
    return x


print(times(compose(lambda x: x + 11, lambda x: x * 5 % 1000003), 1000000, 1))
