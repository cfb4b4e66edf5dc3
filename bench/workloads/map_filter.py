# Triples 1..10^6 with map, keeps the even ones with filter and sums them
# with reduce, each given a lambda; every step makes its list, as the
# vesk program's lists are built. Prints 750001500000.
from functools import reduce

xs = list(range(1, 1000001))
tripled = list(map(lambda x: x * 3, xs))
even = list(filter(lambda x: x % 2 == 0, tripled))
print(reduce(lambda s, x: s + x, even, 0))
