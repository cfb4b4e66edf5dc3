-- Merge sort of 10^5 numbers from a linear congruential generator, written
-- as a Lua programmer does: the table cut in halves by copying, the halves
-- sorted recursively and merged by a loop over two indices. Prints the
-- checksum of the sorted list, c = (31 c + x) mod 1000000007 from the
-- smallest up: 387914880. (Every product stays below 2^63.)
local function random(n, seed)
  local out = {}
  for i = 1, n do
    seed = (seed * 1103515245 + 12345) % 2147483648
    out[i] = seed // 65536
  end
  return out
end

local function merge(xs, ys)
  local out, i, j = {}, 1, 1
  while i <= #xs and j <= #ys do
    if xs[i] < ys[j] then
      out[#out + 1] = xs[i]; i = i + 1
    else
      out[#out + 1] = ys[j]; j = j + 1
    end
  end
  for k = i, #xs do out[#out + 1] = xs[k] end
  for k = j, #ys do out[#out + 1] = ys[k] end
  return out
end

local function sort(xs)
  if #xs < 2 then return xs end
  local mid = #xs // 2
  return merge(sort(table.move(xs, 1, mid, 1, {})),
               sort(table.move(xs, mid + 1, #xs, 1, {})))
end

local check = 0
for _, x in ipairs(sort(random(100000, 42))) do
  check = (check * 31 + x) % 1000000007
end
print(check)
