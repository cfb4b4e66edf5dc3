-- Counts how often each word of standard input occurs, a word being a run
-- of letters (C's isalpha) taken in lower case, in a binary search tree
-- keyed by the words, as a newcomer writes one: nodes of {word, count,
-- left, right}, a recursive insert and walks. The input is read whole and
-- looped over byte by byte, as the vesk program's getchar loop. Prints the
-- number of different words, of all words, a checksum of the counts in the
-- order of the words, c = (31 c + count) mod 1000000007, and the most
-- frequent word with its count; on the 300 KB text of gen_text.py
-- "1932 37615 222939867" and "qua 192".
local function insert(word, tree)
  if tree == nil then return { word, 1, nil, nil } end
  if word < tree[1] then
    tree[3] = insert(word, tree[3])
  elseif word == tree[1] then
    tree[2] = tree[2] + 1
  else
    tree[4] = insert(word, tree[4])
  end
  return tree
end

local function size(tree)
  if tree == nil then return 0 end
  return size(tree[3]) + 1 + size(tree[4])
end

local function total(tree)
  if tree == nil then return 0 end
  return total(tree[3]) + tree[2] + total(tree[4])
end

local function walk(tree, acc)
  if tree == nil then return acc end
  return walk(tree[4], (walk(tree[3], acc) * 31 + tree[2]) % 1000000007)
end

local function best(tree, top)
  if tree == nil then return top end
  top = best(tree[3], top)
  if top[2] < tree[2] then top = { tree[1], tree[2] } end
  return best(tree[4], top)
end

local data = io.read("a")
local tree, word = nil, {}
for i = 1, #data do
  local c = data:byte(i)
  if (c >= 65 and c <= 90) or (c >= 97 and c <= 122) then
    word[#word + 1] = string.char(c):lower()
  elseif #word > 0 then
    tree, word = insert(table.concat(word), tree), {}
  end
end
if #word > 0 then tree = insert(table.concat(word), tree) end
local top = best(tree, { "", 0 })
print(size(tree) .. " " .. total(tree) .. " " .. walk(tree, 0))
print(top[1] .. " " .. top[2])
