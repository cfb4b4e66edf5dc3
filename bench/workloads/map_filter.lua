-- Triples 1..10^6 with map, keeps the even ones with filter and sums them
-- with fold, each given a function value; map and filter make new tables.
-- Prints 750001500000.
local function map(f, xs)
  local out = {}
  for i = 1, #xs do out[i] = f(xs[i]) end
  return out
end

local function filter(keep, xs)
  local out = {}
  for i = 1, #xs do
    if keep(xs[i]) then out[#out + 1] = xs[i] end
  end
  return out
end

local function fold(f, acc, xs)
  for i = 1, #xs do acc = f(acc, xs[i]) end
  return acc
end

local xs = {}
for n = 1, 1000000 do xs[n] = n end
print(fold(function(s, x) return s + x end, 0,
  filter(function(x) return x % 2 == 0 end,
    map(function(x) return x * 3 end, xs))))
