-- Applies the composition of two functions, x+11 after 5x mod 1000003,
-- 10^6 times to 1, in a loop. Prints 199998.
local function compose(f, g)
  return function(x) return f(g(x)) end
end

local function times(h, n, x)
  while n >= 1 do
    x = h(x)
    n = n - 1
  end
  return x
end

print(times(compose(function(x) return x + 11 end,
                    function(x) return x * 5 % 1000003 end), 1000000, 1))
