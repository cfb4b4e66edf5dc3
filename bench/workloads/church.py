# Church numerals as lambdas: builds k from zero by successors, multiplies
# it by itself and turns it back into an integer for k from 200 down to 1,
# and adds 3 to the 12th taken as a numeral to a numeral. Prints
# 2686700 + 531441 = 3218141. A numeral of k built by successors calls k
# deep, so the recursion limit is raised.
import sys

sys.setrecursionlimit(100000)

zero = lambda f: lambda x: x
succ = lambda n: lambda f: lambda x: f(n(f)(x))
times = lambda m, n: lambda f: m(n(f))
power = lambda m, n: n(m)


def church(k):
    return zero if k < 1 else succ(church(k - 1))


def toint(n):
    return n(lambda x: x + 1)(0)


def squares(k, acc):
    while k >= 1:
        c = church(k)
        acc += toint(times(c, c))
        k -= 1
    return acc


print(squares(200, 0) + toint(power(church(3), church(12))))
